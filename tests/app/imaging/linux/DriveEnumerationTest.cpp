// The drive list on real loop devices that the tests attach themselves.
// Other disks of the machine appear in the list too; only our own devices
// are asserted about.
#include "imaging/SpecUtils.h"

#include "Command.h"
#include "LoopDisk.h"
#include "TempDir.h"
#include "framework/SizeText.h"

#include <QFile>
#include <QRegularExpression>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <memory>
#include <sys/statvfs.h>

namespace {

using testsupport::LoopDisk;

constexpr uint64_t kDiskSize = 64 << 20;
// Two 24 MiB Linux partitions on a DOS table.
const std::string kTwoPartitions = "label: dos\n,24M,L\n,24M,L\n";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

int64_t FileSystemTotal(const std::filesystem::path& mountPoint) {
    struct statvfs fs {};
    if (::statvfs(mountPoint.c_str(), &fs) != 0)
        return -1;
    return static_cast<int64_t>(fs.f_blocks * fs.f_frsize);
}

qsizetype IndexOfDevice(const TDriveList& list, const std::string& node) {
    return list.InternalNames.indexOf(Q(node));
}

class DriveEnumerationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::string reason = testsupport::LoopDevicesUnavailable();
        if (!reason.empty())
            GTEST_SKIP() << reason;
    }

    testsupport::TempDir m_dir;
};

TEST_F(DriveEnumerationTest, ListsTheDiskItsPartitionsAndTheMountedOnesFileSystem) {
    LoopDisk disk(m_dir / "disk.img", kDiskSize, kTwoPartitions);
    ASSERT_EQ(disk.PartitionNumbers(), (std::vector<int>{1, 2}));
    // The mount table escapes the blank; the list shows it as it is.
    const auto mountPoint = disk.MountExt4(1, m_dir / "mount point");

    TDriveList list;
    const int count = EnumDrivesAndDisks(list);

    ASSERT_EQ(count, list.Count());
    ASSERT_EQ(list.InternalNames.size(), list.DisplayNames.size());
    const qsizetype mounted = IndexOfDevice(list, disk.Partition(1));
    const qsizetype unmounted = IndexOfDevice(list, disk.Partition(2));
    const qsizetype whole = IndexOfDevice(list, disk.Device());
    ASSERT_GE(mounted, 0);
    ASSERT_GE(unmounted, 0);
    ASSERT_GE(whole, 0);

    // The mounted partition under its mount point, with its file system's size.
    const int64_t fsTotal = FileSystemTotal(mountPoint);
    EXPECT_EQ(list.DisplayNames[mounted],
              Q(mountPoint.string()) + "  (Fixed Drive) (" + FormatSize(fsTotal) + ")");
    // The unmounted one under its node, with its length.
    const auto p2Size = static_cast<int64_t>(disk.PartitionSize(2));
    EXPECT_EQ(list.DisplayNames[unmounted],
              Q(disk.Partition(2)) + "  (Fixed Drive) (" + FormatSize(p2Size) + ")");
    EXPECT_EQ(list.DisplayNames[unmounted], Q(disk.Partition(2)) + "  (Fixed Drive) (24.00 MB)");
    const QRegularExpression diskName(QStringLiteral("^Hard disk \\d+  \\(64\\.00 MB\\)$"));
    EXPECT_TRUE(diskName.match(list.DisplayNames[whole]).hasMatch())
        << list.DisplayNames[whole].toStdString();
    // Drives in device-name order, then disks.
    EXPECT_LT(mounted, unmounted);
    EXPECT_LT(unmounted, whole);

    // Display names map back, and measure what they name.
    for (const qsizetype index : {mounted, unmounted, whole})
        EXPECT_EQ(list.GetInternalName(list.DisplayNames[index]), list.InternalNames[index]);
    EXPECT_EQ(GetSrcSize(list, list.DisplayNames[mounted]), fsTotal);
    EXPECT_EQ(GetSrcSize(list, list.DisplayNames[unmounted]), p2Size);
    // A disk's name reaches the run expanded to a path under the current folder.
    EXPECT_EQ(GetSrcSize(list, QStringLiteral("/work/") + list.DisplayNames[whole]),
              static_cast<int64_t>(kDiskSize));
}

TEST_F(DriveEnumerationTest, DisksAreNumberedFromOneInListOrder) {
    LoopDisk first(m_dir / "first.img", kDiskSize, kTwoPartitions);
    LoopDisk second(m_dir / "second.img", 8 << 20, "");

    TDriveList list;
    EnumDrivesAndDisks(list);

    const QRegularExpression diskName(QStringLiteral("^Hard disk (\\d+)  \\(.+\\)$"));
    int expected = 1;
    bool disksStarted = false;
    for (const QString& name : list.DisplayNames) {
        const QRegularExpressionMatch match = diskName.match(name);
        // No drive follows the first disk.
        EXPECT_TRUE(match.hasMatch() || !disksStarted) << name.toStdString();
        if (!match.hasMatch())
            continue;
        disksStarted = true;
        EXPECT_EQ(match.captured(1).toInt(), expected++) << name.toStdString();
    }
    const qsizetype secondAt = IndexOfDevice(list, second.Device());
    ASSERT_GE(secondAt, 0);
    EXPECT_TRUE(list.DisplayNames[secondAt].endsWith(QStringLiteral("  (8.00 MB)")));
    // A disk without partitions and file system is no drive.
    EXPECT_EQ(list.InternalNames.count(Q(second.Device())), 1);
}

TEST_F(DriveEnumerationTest, AWholeDiskWithAMountedFileSystemIsBothDriveAndDisk) {
    LoopDisk disk(m_dir / "floppy.img", 16 << 20, "");
    testsupport::MustRun("mkfs.ext4 -q -F " + testsupport::Quote(disk.Device()));
    std::filesystem::create_directories(m_dir / "floppy");
    const std::string mountPoint = (m_dir / "floppy").string();
    testsupport::MustRun("mount " + testsupport::Quote(disk.Device()) + " " +
                         testsupport::Quote(mountPoint));
    struct Unmount {
        std::string path;
        ~Unmount() { testsupport::RunCommand("umount " + testsupport::Quote(path)); }
    } unmount{mountPoint};

    TDriveList list;
    EnumDrivesAndDisks(list);

    const qsizetype asDrive = list.DisplayNames.indexOf(
        Q(mountPoint) + "  (Fixed Drive) (" + FormatSize(FileSystemTotal(mountPoint)) + ")");
    ASSERT_GE(asDrive, 0);
    EXPECT_EQ(list.InternalNames[asDrive], Q(disk.Device()));
    const qsizetype asDisk = list.InternalNames.lastIndexOf(Q(disk.Device()));
    EXPECT_GT(asDisk, asDrive);
    EXPECT_TRUE(list.DisplayNames[asDisk].startsWith(QStringLiteral("Hard disk ")));
}

TEST_F(DriveEnumerationTest, ADetachedDiskDisappearsAtTheNextRefresh) {
    auto disk = std::make_unique<LoopDisk>(m_dir / "gone.img", kDiskSize, kTwoPartitions);
    const std::string node = disk->Device();
    const std::string backing = disk->BackingFile().string();
    TDriveList list;
    EnumDrivesAndDisks(list);
    ASSERT_GE(IndexOfDevice(list, node), 0);
    ASSERT_GE(IndexOfDevice(list, disk->Partition(1)), 0);

    disk.reset();
    EnumDrivesAndDisks(list);

    // The node may have been attached again meanwhile, by someone else.
    const QString name = QString::fromStdString(std::filesystem::path(node).filename().string());
    QFile backingOfNode(QStringLiteral("/sys/class/block/") + name +
                        QStringLiteral("/loop/backing_file"));
    const bool reused = backingOfNode.open(QIODevice::ReadOnly) &&
                        backingOfNode.readAll().trimmed() != QByteArray::fromStdString(backing);
    if (!reused) {
        EXPECT_EQ(IndexOfDevice(list, node), -1);
        EXPECT_EQ(IndexOfDevice(list, node + "p1"), -1);
    }
    EXPECT_EQ(list.GetInternalName(QStringLiteral("no such entry")), QString());
}

} // namespace
