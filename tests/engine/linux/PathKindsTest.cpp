// What a path names on Linux, and the last component of a path.
#include "Command.h"
#include "LoopDisk.h"
#include "TempDir.h"

#include "platform/Storage.h"
#include "src/JobTexts.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace testsupport;
using namespace vorlik;

namespace {

TEST(FileNamePart, SplitsAtTheLastSlash) {
    EXPECT_EQ(FileNamePart(u"/home/user/backup.img"), u"backup.img");
    EXPECT_EQ(FileNamePart(u"/dev/sda"), u"sda");
    EXPECT_EQ(FileNamePart(u"image.img"), u"image.img");
    EXPECT_EQ(FileNamePart(u"/mnt/"), u"");
    EXPECT_EQ(FileNamePart(u"C:\\x.img"), u"C:\\x.img");
}

TEST(PathKinds, FilesFoldersAndMissingPathsAreFiles) {
    TempDir dir;
    WritePatternFile(dir / "a.img", 10);
    for (const auto& path :
         {(dir / "a.img").u16string(), dir.Path().u16string(), (dir / "missing").u16string(),
          std::u16string(u"\\\\.\\PHYSICALDRIVE0")}) {
        EXPECT_FALSE(os::IsPhysicalDrivePath(path));
        EXPECT_FALSE(os::IsDevicePath(path));
        EXPECT_EQ(os::GetDiskNumber(path), os::kNoDisk);
    }
}

TEST(PathKinds, LoopDiskAndItsPartitions) {
    if (const std::string why = LoopDevicesUnavailable(); !why.empty())
        GTEST_SKIP() << why;
    TempDir dir;
    LoopDisk disk(dir / "disk.img", 16 * 1024 * 1024, "label: dos\n,4M,L\n");
    const std::u16string whole = std::filesystem::path(disk.Device()).u16string();
    const std::u16string part = std::filesystem::path(disk.Partition(1)).u16string();

    EXPECT_TRUE(os::IsPhysicalDrivePath(whole));
    EXPECT_TRUE(os::IsDevicePath(whole));
    EXPECT_FALSE(os::IsPhysicalDrivePath(part));
    EXPECT_TRUE(os::IsDevicePath(part));
    EXPECT_EQ(os::GetDiskNumber(part), os::kNoDisk);

    struct stat st {};
    ASSERT_EQ(::stat(disk.Device().c_str(), &st), 0);
    const uint32_t number = os::GetDiskNumber(whole);
    EXPECT_EQ((number >> 8) & 0xFFFu, major(st.st_rdev));
    EXPECT_EQ((number & 0xFFu) | ((number >> 12) & 0xFFF00u), minor(st.st_rdev));

    // Locking the volumes of a disk nobody holds takes every partition.
    os::LockedVolumes locked;
    EXPECT_TRUE(os::LockDiskVolumes(locked, number));
    EXPECT_EQ(locked.size(), 1u);
    EXPECT_FALSE(CanOpenExclusively(disk.Partition(1)));
    EXPECT_TRUE(os::ReleaseVolumes(locked));
    EXPECT_TRUE(locked.empty());
    EXPECT_TRUE(CanOpenExclusively(disk.Partition(1)));
    EXPECT_TRUE(os::LockDiskVolumes(locked, os::kNoDisk));
    EXPECT_TRUE(locked.empty());
}

TEST(FailureCauses, SystemErrorsMapToCauses) {
    struct Row {
        int error;
        os::FileCause cause;
    };
    for (const Row& row :
         {Row{ENOENT, os::FileCause::FileNotFound}, Row{ENOTDIR, os::FileCause::BadPath},
          Row{ENAMETOOLONG, os::FileCause::BadPath}, Row{EMFILE, os::FileCause::TooManyOpenFiles},
          Row{EACCES, os::FileCause::AccessDenied}, Row{EROFS, os::FileCause::AccessDenied},
          Row{EBADF, os::FileCause::InvalidFile}, Row{ESPIPE, os::FileCause::BadSeek},
          Row{EIO, os::FileCause::HardIO}, Row{EBUSY, os::FileCause::SharingViolation},
          Row{EAGAIN, os::FileCause::LockViolation}, Row{ENOSPC, os::FileCause::DiskFull},
          Row{EFBIG, os::FileCause::DiskFull}, Row{EXDEV, os::FileCause::Generic}}) {
        EXPECT_EQ(os::CauseFromError(row.error), row.cause) << "errno " << row.error;
    }
}

} // namespace
