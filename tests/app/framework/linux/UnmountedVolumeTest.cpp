// System information about a volume nothing has mounted: its device length
// as the total and nothing known free.
#include "Command.h"
#include "LoopDisk.h"
#include "PellinInfo.h"
#include "TempDir.h"
#include "host/HostQueries.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

TEST(UnmountedVolume, ReportsItsLengthAndNoFreeSpace) {
    if (const std::string why = testsupport::LoopDevicesUnavailable(); !why.empty())
        GTEST_SKIP() << why;
    testsupport::TempDir dir;
    testsupport::LoopDisk disk(dir / "disk.img", 16 << 20, "label: dos\n,6M,L\n");
    const QString node = QString::fromStdString(disk.Partition(1));
    const uint64_t length = disk.PartitionSize(1);
    ASSERT_GT(length, 0u);

    EXPECT_EQ(host::TotalDiskSpace(node), static_cast<int64_t>(length));
    EXPECT_EQ(host::FreeDiskSpaceForUser(node), 0);
    QStringList lines;
    AddDriveInfo({{node, node, host::DriveType::Fixed}}, lines);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], node + ", Fixed Drive, Total Disk Spaces: " +
                            QLocale().toString(static_cast<qulonglong>(length)) +
                            " bytes, Free Disk Spaces: 0 bytes.");
}

} // namespace
