// Disks through their control requests, on a virtual disk that the test
// creates, attaches without a drive letter and removes again. Needs real
// Windows and administrator rights; Wine has no disk ioctls and no virtual
// disks, so there every test skips and says so.
#include "JobRecorder.h"
#include "TempDir.h"
#include "UnderWine.h"

#include "platform/Storage.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <windows.h>
// clang-format off
#include <initguid.h>
#include <virtdisk.h>
// clang-format on

using namespace testsupport;
using namespace vorlik;

namespace {

constexpr uint64_t kDiskSize = 8 * 1024 * 1024;

// A fixed-size VHD attached as a whole disk for the life of the object.
class VirtualDisk {
  public:
    VirtualDisk(const std::filesystem::path& file, uint64_t size) : m_file(file) {
        VIRTUAL_STORAGE_TYPE type{VIRTUAL_STORAGE_TYPE_DEVICE_VHD,
                                  VIRTUAL_STORAGE_TYPE_VENDOR_MICROSOFT};
        CREATE_VIRTUAL_DISK_PARAMETERS parameters{};
        parameters.Version = CREATE_VIRTUAL_DISK_VERSION_1;
        parameters.Version1.MaximumSize = size;
        // Block and sector sizes of 0 are the system's defaults.
        m_error = CreateVirtualDisk(&type, file.c_str(), VIRTUAL_DISK_ACCESS_ALL, nullptr,
                                    CREATE_VIRTUAL_DISK_FLAG_FULL_PHYSICAL_ALLOCATION, 0,
                                    &parameters, nullptr, &m_handle);
        if (m_error != ERROR_SUCCESS)
            return;
        m_error = AttachVirtualDisk(m_handle, nullptr, ATTACH_VIRTUAL_DISK_FLAG_NO_DRIVE_LETTER, 0,
                                    nullptr, nullptr);
        m_attached = m_error == ERROR_SUCCESS;
        if (m_attached)
            ReadDiskNumber();
    }

    ~VirtualDisk() {
        if (m_attached)
            DetachVirtualDisk(m_handle, DETACH_VIRTUAL_DISK_FLAG_NONE, 0);
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
        DeleteFileW(m_file.c_str());
    }

    bool Ready() const { return m_attached && m_number != os::kNoDisk; }
    DWORD Error() const { return m_error; }
    uint32_t Number() const { return m_number; }
    // The disk path in the form the engine recognises.
    std::u16string Path() const { return u"\\\\.\\PHYSICALDRIVE" + Digits(m_number); }

  private:
    static std::u16string Digits(uint32_t n) {
        const std::string text = std::to_string(n);
        return std::u16string(text.begin(), text.end());
    }

    // The system names it "\\.\PhysicalDriveN".
    void ReadDiskNumber() {
        wchar_t path[MAX_PATH] = {};
        ULONG size = sizeof(path);
        m_error = GetVirtualDiskPhysicalPath(m_handle, &size, path);
        if (m_error != ERROR_SUCCESS)
            return;
        const std::wstring text(path);
        const size_t digits = text.find_last_not_of(L"0123456789") + 1;
        if (digits < text.size())
            m_number = static_cast<uint32_t>(std::stoul(text.substr(digits)));
    }

    std::filesystem::path m_file;
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    DWORD m_error = ERROR_SUCCESS;
    bool m_attached = false;
    uint32_t m_number = os::kNoDisk;
};

class DiskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (UnderWine())
            GTEST_SKIP()
                << "SKIPPED: Wine has no disk ioctls and no virtual disks; compiled, not run.";
        m_disk = std::make_unique<VirtualDisk>(m_dir / "disk.vhd", kDiskSize);
        if (!m_disk->Ready())
            GTEST_SKIP() << "SKIPPED: no virtual disk (error " << m_disk->Error()
                         << "); needs administrator rights.";
    }

    TempDir m_dir;
    std::unique_ptr<VirtualDisk> m_disk;
};

TEST_F(DiskTest, LengthOfTheWholeDisk) {
    int error = 0;
    const os::Handle disk = os::Open(m_disk->Path(), os::OpenMode::ReadSource, error);
    ASSERT_NE(disk, os::kInvalidHandle) << "error " << error;
    uint64_t length = 0;
    EXPECT_TRUE(os::DiskLength(disk, length));
    EXPECT_EQ(length, kDiskSize);
    uint64_t exported = 0;
    EXPECT_EQ(EngineGetDiskSize(disk, &exported), 1);
    EXPECT_EQ(exported, kDiskSize);
    os::Close(disk, error);
}

TEST_F(DiskTest, DiskNumberOfItsPath) {
    EXPECT_TRUE(os::IsPhysicalDrivePath(m_disk->Path()));
    EXPECT_EQ(os::GetDiskNumber(m_disk->Path()), m_disk->Number());
}

TEST_F(DiskTest, RestoreOntoTheDiskThenCloneItBack) {
    WritePatternFile(m_dir / "image.img", kDiskSize);
    JobRecorder restore;
    ASSERT_EQ(restore.Run(Wide(m_dir / "image.img"), m_disk->Path(), nullptr), 1);
    EXPECT_EQ(restore.Value(JOBMSG_TOTAL_BYTES), kDiskSize);
    EXPECT_EQ(restore.Count(JOBMSG_LOG_TEXT), 0u);

    JobRecorder clone;
    ASSERT_EQ(clone.Run(m_disk->Path(), Wide(m_dir / "clone.img"), nullptr), 1);
    EXPECT_EQ(clone.Value(JOBMSG_TOTAL_BYTES), kDiskSize);
    EXPECT_TRUE(SameContent(m_dir / "image.img", m_dir / "clone.img"));
}

TEST_F(DiskTest, ImageLargerThanTheDiskFailsPastItsEnd) {
    WritePatternFile(m_dir / "image.img", kDiskSize + 1024 * 1024);
    JobRecorder restore;

    EXPECT_EQ(restore.Run(Wide(m_dir / "image.img"), m_disk->Path(), nullptr), 1);

    EXPECT_EQ(restore.Text(JOBMSG_LOG_TEXT).rfind("Error 2: General error. ", 0), 0u);
    EXPECT_EQ(restore.Value(JOBMSG_TOTAL_BYTES), kDiskSize);
}

TEST_F(DiskTest, DiskHeldLockedRefusesASecondLock) {
    int error = 0;
    const os::Handle first = os::Open(m_disk->Path(), os::OpenMode::WriteDevice, error);
    ASSERT_NE(first, os::kInvalidHandle) << "error " << error;
    os::Handle token = os::kInvalidHandle;
    ASSERT_TRUE(os::LockVolume(first, m_disk->Path(), token));
    EXPECT_EQ(token, first);

    const os::Handle second = os::Open(m_disk->Path(), os::OpenMode::WriteDevice, error);
    os::Handle other = os::kInvalidHandle;
    if (second != os::kInvalidHandle) {
        EXPECT_FALSE(os::LockVolume(second, m_disk->Path(), other));
        os::Close(second, error);
    }
    EXPECT_TRUE(os::UnlockVolume(token));
    EXPECT_TRUE(os::Close(first, error)); // unlocking leaves the handle open
}

} // namespace
