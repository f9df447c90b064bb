// A destination on a file system that fills up: the job says so, keeps
// what it wrote and returns 1.
#include "Command.h"
#include "JobRecorder.h"
#include "SmallTmpfs.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

TEST(DiskFull, DestinationFillsUp) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to mount a tmpfs";
    TempDir dir;
    SmallTmpfs full(dir / "full", "1m");
    if (!full.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    WritePatternFile(dir / "source.bin", 3 * 512 * 1024);
    const fs::path destination = dir / "full" / "image.img";
    JobRecorder job;

    EXPECT_EQ(job.Run(dir / "source.bin", destination), 1);

    const std::string text =
        "Error 2: General error. Disk full while accessing " + destination.string() + ".";
    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT), text);
    EXPECT_EQ(job.Text(JOBMSG_MESSAGE_BOX), text);
    EXPECT_EQ(job.Count(JOBMSG_LOG_TEXT), 1u);
    // The transfers that fitted are kept, byte for byte.
    const auto image = ReadFileBytes(destination);
    ASSERT_GE(image.size(), 512u * 1024u);
    for (size_t i = 0; i < image.size(); ++i)
        ASSERT_EQ(image[i], PatternByte(i)) << "at " << i;
    // The count covers the transfers written whole; a cut last one stays too.
    const uint64_t total = job.Value(JOBMSG_TOTAL_BYTES);
    EXPECT_GE(total, 512u * 1024u);
    EXPECT_EQ(total % (512u * 1024u), 0u);
    EXPECT_LE(total, image.size());
}

} // namespace
