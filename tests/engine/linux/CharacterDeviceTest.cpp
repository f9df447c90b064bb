// A character device as the destination: nothing to empty, every byte taken.
#include "JobRecorder.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

TEST(CharacterDevice, ImageIntoDevNullReadsTheWholeSource) {
    if (!std::filesystem::exists("/dev/null"))
        GTEST_SKIP() << "no /dev/null";
    TempDir dir;
    WritePatternFile(dir / "source.bin", 3 * 512 * 1024 + 9);
    JobRecorder job;

    EXPECT_EQ(job.Run(dir / "source.bin", std::filesystem::path("/dev/null")), 1);

    EXPECT_EQ(job.Count(JOBMSG_LOG_TEXT), 0u);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 3u * 512 * 1024 + 9);
}

} // namespace
