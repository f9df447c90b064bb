// The hard drives of the search: mounted file systems on fixed block
// devices are roots; everything else mounted is left out of the walk.
#include "host/HardDrives.h"
#include "Command.h"
#include "LoopDisk.h"
#include "QtPrinters.h"
#include "TempDir.h"

#include <QFile>

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using testsupport::Quote;

uint64_t DeviceOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_dev;
}

bool Contains(const std::vector<uint64_t>& devices, uint64_t device) {
    return std::find(devices.begin(), devices.end(), device) != devices.end();
}

TEST(HardDrives, RootsAreFoldersAndProcIsLeftOut) {
    const host::HardDrives drives = host::LocalHardDrives();
    for (const QString& root : drives.roots) {
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(root).constData(), &st), 0) << root.toStdString();
        EXPECT_TRUE(S_ISDIR(st.st_mode)) << root.toStdString();
    }
    EXPECT_FALSE(drives.roots.contains("/proc"));
    EXPECT_TRUE(Contains(drives.otherFileSystems, DeviceOf("/proc")));
}

// A loop device is not removable: an ext4 on it is a hard drive. A tmpfs
// beside it lives on no block device.
TEST(HardDrives, MountedLoopDiskIsOneTmpfsIsNot) {
    if (const std::string reason = testsupport::LoopDevicesUnavailable(); !reason.empty())
        GTEST_SKIP() << reason;
    testsupport::TempDir dir;
    testsupport::LoopDisk disk(dir / "disk.bin", 8 << 20, "label: dos\n,,L\n");
    const std::string fixed = disk.MountExt4(1, dir / "fixed drive").string();
    const std::string memory = (dir / "memory").string();
    std::filesystem::create_directories(memory);
    testsupport::MustRun("mount -t tmpfs -o size=1m tmpfs " + Quote(memory));

    const host::HardDrives drives = host::LocalHardDrives();
    const uint64_t memoryDevice = DeviceOf(memory);
    testsupport::RunCommand("umount " + Quote(memory));

    EXPECT_TRUE(drives.roots.contains(QString::fromStdString(fixed)));
    EXPECT_FALSE(drives.roots.contains(QString::fromStdString(memory)));
    EXPECT_TRUE(Contains(drives.otherFileSystems, memoryDevice));
    EXPECT_FALSE(Contains(drives.otherFileSystems, DeviceOf(fixed)));
}

} // namespace
