// The program's binding to Vorlik.dll: by ordinal, at load time, through the
// import library, with no export names to find.
#include "JobRecorder.h"
#include "TempDir.h"

#include "vorlik/Vorlik.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace testsupport;

namespace {

template <typename Function> uintptr_t Address(Function function) {
    return reinterpret_cast<uintptr_t>(function);
}

HMODULE Vorlik() {
    return GetModuleHandleW(L"Vorlik.dll");
}

TEST(OrdinalBinding, EachExportSitsAtItsOrdinal) {
    ASSERT_NE(Vorlik(), nullptr);
    EXPECT_EQ(Address(GetProcAddress(Vorlik(), MAKEINTRESOURCEA(1))), Address(&EngineRunJob));
    EXPECT_EQ(Address(GetProcAddress(Vorlik(), MAKEINTRESOURCEA(2))), Address(&EngineGetDiskSize));
    EXPECT_EQ(Address(GetProcAddress(Vorlik(), MAKEINTRESOURCEA(3))),
              Address(&EngineGetVolumeSize));
    EXPECT_EQ(GetProcAddress(Vorlik(), MAKEINTRESOURCEA(4)), nullptr);
}

TEST(OrdinalBinding, NoExportHasAName) {
    ASSERT_NE(Vorlik(), nullptr);
    for (const char* name : {"EngineRunJob", "EngineGetDiskSize", "EngineGetVolumeSize",
                             "EngineRunJob@4", "_EngineRunJob@4"})
        EXPECT_EQ(GetProcAddress(Vorlik(), name), nullptr) << name;
}

TEST(OrdinalBinding, JobRunsThroughTheLibrary) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", 2 * 512 * 1024 + 3);
    JobRecorder job;

    EXPECT_EQ(job.Run(dir / "source.bin", dir / "image.img"), 1);

    EXPECT_TRUE(SameContent(dir / "source.bin", dir / "image.img"));
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 2u * 512 * 1024 + 3);
    EXPECT_EQ(job.messages.back().value, 100u);
}

TEST(OrdinalBinding, VolumeSizeOfTheSystemDrive) {
    ULARGE_INTEGER freeToCaller{}, total{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(L"C:\\", &freeToCaller, &total, nullptr));
    // The program passes the root with its backslash, the reader without.
    for (const char16_t* root : {u"C:\\", u"C:"}) {
        uint64_t size = 0;
        EXPECT_EQ(EngineGetVolumeSize(root, &size), 1);
        EXPECT_EQ(size, total.QuadPart);
    }
}

TEST(OrdinalBinding, SizeFailuresLeaveTheResultAlone) {
    TempDir dir;
    uint64_t size = 12345;
    EXPECT_EQ(EngineGetVolumeSize(Wide(dir / "no-such-folder" / "").c_str(), &size), 0);
    EXPECT_EQ(EngineGetVolumeSize(nullptr, &size), 0);
    EXPECT_EQ(EngineGetVolumeSize(u"C:\\", nullptr), 0);
    EXPECT_EQ(EngineGetDiskSize(0, &size), 0);
    EXPECT_EQ(EngineGetDiskSize(reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE), &size), 0);
    EXPECT_EQ(size, 12345u);
}

} // namespace
