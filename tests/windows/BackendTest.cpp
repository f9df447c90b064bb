// The Windows storage backend: failure causes, path kinds, the 260-character
// limit, sharing, and the size and extent queries with recorded device
// answers (Wine has no disks to ask).
#include "JobRecorder.h"
#include "TempDir.h"
#include "UnderWine.h"

#include "classlib/File.h"
#include "platform/Storage.h"
#include "src/FileEx.h"
#include "src/JobTexts.h"
#include "windows/DeviceControl.h"
#include "windows/VolumeSize.h"

#include <cstring>
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

using namespace testsupport;
using namespace vorlik;
namespace fs = std::filesystem;

namespace {

// System error numbers and the failure causes they give.
struct CauseCase {
    int error;
    os::FileCause cause;
};

class CauseFromError : public ::testing::TestWithParam<CauseCase> {};

TEST_P(CauseFromError, MapsTheSystemError) {
    EXPECT_EQ(os::CauseFromError(GetParam().error), GetParam().cause)
        << "error " << GetParam().error;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CauseFromError,
    ::testing::Values(
        CauseCase{32, os::FileCause::SharingViolation}, CauseCase{33, os::FileCause::LockViolation},
        CauseCase{5, os::FileCause::AccessDenied}, CauseCase{19, os::FileCause::AccessDenied},
        CauseCase{2, os::FileCause::FileNotFound}, CauseCase{3, os::FileCause::BadPath},
        CauseCase{123, os::FileCause::BadPath}, CauseCase{25, os::FileCause::BadSeek},
        CauseCase{27, os::FileCause::BadSeek}, CauseCase{21, os::FileCause::HardIO},
        CauseCase{23, os::FileCause::HardIO}, CauseCase{38, os::FileCause::EndOfFile},
        CauseCase{39, os::FileCause::DiskFull}, CauseCase{112, os::FileCause::DiskFull},
        CauseCase{4, os::FileCause::TooManyOpenFiles}, CauseCase{6, os::FileCause::InvalidFile},
        CauseCase{206, os::FileCause::BadPath}, CauseCase{0, os::FileCause::Generic},
        CauseCase{1, os::FileCause::Generic}, CauseCase{87, os::FileCause::Generic},
        CauseCase{-1, os::FileCause::Generic}));

struct PathCase {
    const char16_t* path;
    bool disk;
    bool device;
    uint32_t diskNumber;
};

class PathKinds : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathKinds, DecidedByTheExactPrefix) {
    const PathCase& c = GetParam();
    const std::u16string path = c.path;
    EXPECT_EQ(os::IsPhysicalDrivePath(path), c.disk) << Narrow(path);
    EXPECT_EQ(os::IsDevicePath(path), c.device) << Narrow(path);
    EXPECT_EQ(os::GetDiskNumber(path), c.diskNumber) << Narrow(path);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathKinds,
    ::testing::Values(PathCase{u"\\\\.\\PHYSICALDRIVE0", true, true, 0},
                      PathCase{u"\\\\.\\PHYSICALDRIVE17", true, true, 17},
                      PathCase{u"\\\\.\\PHYSICALDRIVE4294967294", true, true, 4294967294u},
                      PathCase{u"\\\\.\\PHYSICALDRIVE4294967296", true, true, os::kNoDisk},
                      PathCase{u"\\\\.\\PHYSICALDRIVE", true, true, os::kNoDisk},
                      PathCase{u"\\\\.\\PHYSICALDRIVE1a", true, true, os::kNoDisk},
                      PathCase{u"\\\\.\\PHYSICALDRIVE-1", true, true, os::kNoDisk},
                      PathCase{u"\\\\.\\PHYSICALDRIVE 1", true, true, os::kNoDisk},
                      PathCase{u"\\\\.\\physicaldrive0", false, true, os::kNoDisk},
                      PathCase{u"\\\\.\\C:", false, true, os::kNoDisk},
                      PathCase{u"\\\\?\\C:", false, false, os::kNoDisk},
                      PathCase{u"//./PHYSICALDRIVE0", false, false, os::kNoDisk},
                      PathCase{u"C:\\images\\disk.img", false, false, os::kNoDisk},
                      PathCase{u"", false, false, os::kNoDisk}));

TEST(PathParts, VolumeSizeRootKeepsLetterAndColon) {
    EXPECT_EQ(os::VolumeSizeRoot(u"\\\\.\\D:"), u"D:");
    EXPECT_EQ(os::VolumeSizeRoot(u"C:\\"), u"C:\\");
}

TEST(PathParts, FileNamePartSplitsAtBackslashAndColon) {
    EXPECT_EQ(FileNamePart(u"C:\\images\\disk.img"), u"disk.img");
    EXPECT_EQ(FileNamePart(u"\\\\.\\PHYSICALDRIVE3"), u"PHYSICALDRIVE3");
    EXPECT_EQ(FileNamePart(u"\\\\.\\E:"), u"");
    EXPECT_EQ(FileNamePart(u"D:disk.img"), u"disk.img");
    EXPECT_EQ(FileNamePart(u"images/disk.img"), u"images/disk.img");
}

// A path in `dir` whose full form has exactly `length` characters.
std::u16string PathOfLength(const TempDir& dir, size_t length) {
    std::u16string path = os::FullPath(Wide(dir.Path())) + u"\\";
    path.append(length - path.size(), u'a');
    return path;
}

TEST(LongPaths, FullPathOf260CharactersIsRefusedBeforeOpening) {
    TempDir dir;
    const std::u16string fits = PathOfLength(dir, 259), tooLong = PathOfLength(dir, 260);
    CFile file;
    CFileException failure;

    ASSERT_TRUE(file.Open(fits, os::OpenMode::CreateForWrite, &failure));
    file.Close();
    EXPECT_FALSE(file.Open(tooLong, os::OpenMode::CreateForWrite, &failure));

    EXPECT_EQ(failure.m_cause, os::FileCause::BadPath);
    EXPECT_EQ(failure.m_lOsError, -1);
    EXPECT_EQ(failure.m_strFileName, tooLong);
    EXPECT_FALSE(fs::exists(fs::path(tooLong)));
}

TEST(LongPaths, JobNamesTheBadDestinationPath) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", 100);
    const std::u16string destination = PathOfLength(dir, 300);
    JobRecorder job;

    EXPECT_EQ(job.Run(Wide(dir / "source.bin"), destination, nullptr), 0);

    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT), "Error 4: Cannot create the destination file. " +
                                             Narrow(destination) + " contains an incorrect path.");
}

TEST(OpenFailures, MissingFolderIsABadPath) {
    TempDir dir;
    const fs::path source = dir / "no-such-folder" / "source.bin";
    JobRecorder job;

    EXPECT_EQ(job.Run(source, dir / "image.img"), 0);

    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT), "Error 1: Cannot open the file to be repaired. " +
                                             source.string() + " contains an incorrect path.");
}

TEST(OpenFailures, SourceHeldWithoutSharingIsAShareViolation) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", 100);
    const HANDLE holder = CreateFileW((dir / "source.bin").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    JobRecorder job;

    EXPECT_EQ(job.Run(dir / "source.bin", dir / "image.img"), 0);
    CloseHandle(holder);

    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT),
              "Error 7: Share violation when opening the source file 'source.bin'.\r\n"
              "Please close any other applications accessing the file and try again.\r\n"
              "If this still cannot work, then please make a copy of the source file, then "
              "restore the copy instead.");
    EXPECT_EQ(job.Text(JOBMSG_MESSAGE_BOX), job.Text(JOBMSG_LOG_TEXT));
    EXPECT_FALSE(fs::exists(dir / "image.img"));
}

TEST(OpenFailures, FileDestinationIsHeldWithoutSharing) {
    TempDir dir;
    int error = 0;
    const os::Handle image = os::Open(Wide(dir / "image.img"), os::OpenMode::CreateForWrite, error);
    ASSERT_NE(image, os::kInvalidHandle);

    EXPECT_EQ(os::Open(Wide(dir / "image.img"), os::OpenMode::ReadSource, error),
              os::kInvalidHandle);
    EXPECT_EQ(os::CauseFromError(error), os::FileCause::SharingViolation);
    EXPECT_TRUE(os::Close(image, error));
}

TEST(FileAccess, PlacedReadsAndWritesAndLength) {
    TempDir dir;
    int error = 0;
    const os::Handle file = os::Open(Wide(dir / "f.bin"), os::OpenMode::CreateForWrite, error);
    ASSERT_NE(file, os::kInvalidHandle);
    uint64_t length = 99;
    EXPECT_TRUE(os::Length(file, length, error));
    EXPECT_EQ(length, 0u);
    size_t put = 0;
    ASSERT_TRUE(os::WriteAt(file, "tail", 4, 1000, put, error));
    ASSERT_TRUE(os::WriteAt(file, "head", 4, 0, put, error));
    EXPECT_EQ(put, 4u);
    EXPECT_TRUE(os::Flush(file, error));
    EXPECT_TRUE(os::Length(file, length, error));
    EXPECT_EQ(length, 1004u);
    ASSERT_TRUE(os::Close(file, error));

    const os::Handle source = os::Open(Wide(dir / "f.bin"), os::OpenMode::ReadSource, error);
    ASSERT_NE(source, os::kInvalidHandle);
    char bytes[8] = {};
    size_t got = 0;
    ASSERT_TRUE(os::ReadAt(source, bytes, sizeof bytes, 1000, got, error));
    EXPECT_EQ(got, 4u);
    EXPECT_EQ(std::memcmp(bytes, "tail", 4), 0);
    ASSERT_TRUE(os::ReadAt(source, bytes, 4, 0, got, error));
    EXPECT_EQ(std::memcmp(bytes, "head", 4), 0);
    ASSERT_TRUE(os::ReadAt(source, bytes, 4, 5000, got, error));
    EXPECT_EQ(got, 0u);
    EXPECT_TRUE(os::Close(source, error));
}

TEST(FileAccess, AFileIsNoDisk) {
    TempDir dir;
    WritePatternFile(dir / "f.bin", 4096);
    int error = 0;
    const os::Handle file = os::Open(Wide(dir / "f.bin"), os::OpenMode::ReadSource, error);
    ASSERT_NE(file, os::kInvalidHandle);
    uint64_t size = 7;
    EXPECT_EQ(EngineGetDiskSize(file, &size), 0);
    EXPECT_EQ(size, 7u);
    os::Close(file, error);
}

// Device answers played back in place of DeviceIoControl.
struct Recorded {
    bool answerLength = false;
    bool answerGeometry = false;
    std::vector<DWORD> extentDisks;
    DWORD otherFailure = 0; // refuse the extents with this error
    std::vector<DWORD> codes;
    std::vector<DWORD> outSizes;
} recorded;

BOOL WINAPI PlayBack(HANDLE, DWORD code, LPVOID, DWORD, LPVOID out, DWORD outSize, LPDWORD returned,
                     LPOVERLAPPED) {
    recorded.codes.push_back(code);
    recorded.outSizes.push_back(outSize);
    *returned = 0;
    if (code == IOCTL_DISK_GET_LENGTH_INFO && recorded.answerLength) {
        GET_LENGTH_INFORMATION info{};
        info.Length.QuadPart = 0x123456789A00LL;
        std::memcpy(out, &info, sizeof info);
        return TRUE;
    }
    if (code == IOCTL_DISK_GET_DRIVE_GEOMETRY && recorded.answerGeometry) {
        DISK_GEOMETRY geometry{};
        geometry.Cylinders.QuadPart = 300000;
        geometry.TracksPerCylinder = 255;
        geometry.SectorsPerTrack = 63;
        geometry.BytesPerSector = 512;
        std::memcpy(out, &geometry, sizeof geometry);
        return TRUE;
    }
    if (code == IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS && recorded.otherFailure == 0) {
        const DWORD count = static_cast<DWORD>(recorded.extentDisks.size());
        auto* extents = static_cast<VOLUME_DISK_EXTENTS*>(out);
        extents->NumberOfDiskExtents = count;
        if (outSize < offsetof(VOLUME_DISK_EXTENTS, Extents) + count * sizeof(DISK_EXTENT)) {
            SetLastError(ERROR_MORE_DATA);
            return FALSE;
        }
        for (DWORD i = 0; i < count; ++i)
            extents->Extents[i].DiskNumber = recorded.extentDisks[i];
        return TRUE;
    }
    SetLastError(recorded.otherFailure ? recorded.otherFailure : ERROR_INVALID_FUNCTION);
    return FALSE;
}

class DeviceAnswers : public ::testing::Test {
  protected:
    void SetUp() override { recorded = Recorded{}; }
};

TEST_F(DeviceAnswers, LengthQueryFirst) {
    recorded.answerLength = recorded.answerGeometry = true;
    uint64_t length = 0;
    ASSERT_TRUE(os::win::DiskLengthThrough(&PlayBack, nullptr, length));
    EXPECT_EQ(length, 0x123456789A00u);
    EXPECT_EQ(recorded.codes, std::vector<DWORD>{IOCTL_DISK_GET_LENGTH_INFO});
    EXPECT_EQ(recorded.outSizes, std::vector<DWORD>{8});
}

TEST_F(DeviceAnswers, GeometryProductWhereTheLengthIsRefused) {
    recorded.answerGeometry = true;
    uint64_t length = 0;
    ASSERT_TRUE(os::win::DiskLengthThrough(&PlayBack, nullptr, length));
    EXPECT_EQ(length, 300000ull * 255 * 63 * 512); // beyond 32 bits
    EXPECT_EQ(recorded.outSizes, (std::vector<DWORD>{8, 24}));
}

TEST_F(DeviceAnswers, NeitherAnswerLeavesTheLengthAlone) {
    uint64_t length = 42;
    EXPECT_FALSE(os::win::DiskLengthThrough(&PlayBack, nullptr, length));
    EXPECT_EQ(length, 42u);
}

TEST_F(DeviceAnswers, OneExtentFitsTheFirstQuery) {
    recorded.extentDisks = {3};
    std::vector<uint32_t> disks;
    ASSERT_TRUE(os::win::VolumeDiskNumbers(&PlayBack, nullptr, disks));
    EXPECT_EQ(disks, std::vector<uint32_t>{3});
    EXPECT_EQ(recorded.outSizes, std::vector<DWORD>{32});
}

TEST_F(DeviceAnswers, MoreExtentsAskAgainWithRoomForAll) {
    recorded.extentDisks = {2, 5, 7};
    std::vector<uint32_t> disks;
    ASSERT_TRUE(os::win::VolumeDiskNumbers(&PlayBack, nullptr, disks));
    EXPECT_EQ(disks, (std::vector<uint32_t>{2, 5, 7}));
    EXPECT_EQ(recorded.outSizes, (std::vector<DWORD>{32, 8 + 3 * 24}));
}

TEST_F(DeviceAnswers, RefusedExtentsTellNothing) {
    recorded.otherFailure = ERROR_INVALID_FUNCTION;
    std::vector<uint32_t> disks;
    EXPECT_FALSE(os::win::VolumeDiskNumbers(&PlayBack, nullptr, disks));
    EXPECT_EQ(recorded.codes.size(), 1u);
}

BOOL WINAPI ExtendedFails(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER) {
    SetLastError(ERROR_NOT_READY);
    return FALSE;
}

BOOL WINAPI ExtendedAnswers(LPCWSTR, PULARGE_INTEGER freeToCaller, PULARGE_INTEGER total,
                            PULARGE_INTEGER) {
    freeToCaller->QuadPart = 1;
    total->QuadPart = 0x500000000ull;
    return TRUE;
}

TEST(VolumeSize, ExtendedQueryIsLookedUpByName) {
    EXPECT_NE(os::win::LookUpGetDiskFreeSpaceEx(), nullptr);
}

TEST(VolumeSize, ExtendedQueryGivesTheTotal) {
    uint64_t total = 0;
    ASSERT_TRUE(os::win::VolumeTotalSizeThrough(&ExtendedAnswers, L"C:\\", total));
    EXPECT_EQ(total, 0x500000000ull);
}

TEST(VolumeSize, FailingExtendedQueryIsFinal) {
    uint64_t total = 9;
    EXPECT_FALSE(os::win::VolumeTotalSizeThrough(&ExtendedFails, L"C:\\", total));
    EXPECT_EQ(total, 9u);
}

TEST(VolumeSize, ClusterCountWithoutTheExtendedQuery) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    ASSERT_TRUE(
        GetDiskFreeSpaceW(L"C:\\", &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters));
    uint64_t total = 0;
    ASSERT_TRUE(os::win::VolumeTotalSizeThrough(nullptr, L"C:\\", total));
    EXPECT_EQ(total, uint64_t{sectorsPerCluster} * bytesPerSector * clusters);
    EXPECT_GT(total, 0u);
}

} // namespace

namespace {

TEST(VolumeLocks, NoDiskNumberLocksNothing) {
    os::LockedVolumes locked;
    EXPECT_TRUE(os::LockDiskVolumes(locked, os::kNoDisk));
    EXPECT_TRUE(locked.empty());
}

TEST(VolumeLocks, ReleasePassesOverInvalidHandles) {
    os::LockedVolumes locked = {os::kInvalidHandle};
    EXPECT_TRUE(os::ReleaseVolumes(locked));
    EXPECT_TRUE(locked.empty());
}

} // namespace

namespace {

// The reader measures a volume by its letter and colon alone. Under Wine
// C: is the build's own prefix; on Windows it is a volume the test did not
// create, and is left alone.
TEST(VolumeSource, LengthIsTheVolumeTotal) {
    if (!UnderWine())
        GTEST_SKIP() << "SKIPPED: measures C:, which is the system volume outside Wine";
    CFileEx volume;
    CFileException failure;
    if (!volume.Open(u"\\\\.\\C:", os::OpenMode::ReadSource, &failure))
        GTEST_SKIP() << "SKIPPED: the system volume cannot be opened (error " << failure.m_lOsError
                     << ")";
    ULARGE_INTEGER freeToCaller{}, total{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(L"C:", &freeToCaller, &total, nullptr));
    EXPECT_EQ(volume.GetLength(), total.QuadPart);
}

} // namespace

namespace {

// The null device takes every byte and keeps nothing to flush.
TEST(CharacterDevice, ImageIntoNulReadsTheWholeSource) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", 3 * 512 * 1024 + 9);
    JobRecorder job;

    EXPECT_EQ(job.Run(Wide(dir / "source.bin"), u"NUL", nullptr), 1);

    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT), "<none>");
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 3u * 512 * 1024 + 9);
}

} // namespace
