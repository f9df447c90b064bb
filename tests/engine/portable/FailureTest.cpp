// Jobs that fail or are stopped: the texts they send, what they leave
// behind and what they return.
#include "JobRecorder.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

constexpr uint64_t kTransfer = 512 * 1024;

// A file in a folder that does not exist: ENOENT on Linux; on Windows the
// missing folder is ERROR_PATH_NOT_FOUND, a bad path.
#ifdef _WIN32
constexpr const char* kMissingFolderDescription = " contains an incorrect path.";
#else
constexpr const char* kMissingFolderDescription = " was not found.";
#endif

const std::vector<uintptr_t> kFailedOpenCodes = {
    JOBMSG_PROGRESS,    JOBMSG_SOURCE,      JOBMSG_LOG_TEXT, JOBMSG_MESSAGE_BOX,
    JOBMSG_TOTAL_BYTES, JOBMSG_BAD_SECTORS, JOBMSG_PROGRESS};

TEST(JobFailure, MissingSourceNamesThePathAsGiven) {
    TempDir dir;
    const fs::path missing = dir / "missing.img";
    JobRecorder job;

    EXPECT_EQ(job.Run(missing, dir / "image.img"), 0);

    EXPECT_EQ(job.Codes(), kFailedOpenCodes);
    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT), "Error 1: Cannot open the file to be repaired. " +
                                             missing.string() + " was not found.");
    EXPECT_EQ(job.Text(JOBMSG_MESSAGE_BOX), job.Text(JOBMSG_LOG_TEXT));
    EXPECT_EQ(job.Count(JOBMSG_QUERY_ABORT), 0u);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 0u);
    EXPECT_FALSE(fs::exists(dir / "image.img"));
}

TEST(JobFailure, EmptySourcePathIsAnUnopenableSource) {
    TempDir dir;
    JobRecorder job;

    EXPECT_EQ(job.Run(u"", Wide(dir / "image.img"), nullptr), 0);

    EXPECT_EQ(job.Codes(), kFailedOpenCodes);
    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT).rfind("Error 1: Cannot open the file to be repaired. ", 0),
              0u);
}

TEST(JobFailure, DestinationInMissingFolder) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", 1000);
    const fs::path destination = dir / "no-such-folder" / "image.img";
    JobRecorder job;

    EXPECT_EQ(job.Run(dir / "source.bin", destination), 0);

    EXPECT_EQ(job.Codes(), kFailedOpenCodes);
    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT), "Error 4: Cannot create the destination file. " +
                                             destination.string() + kMissingFolderDescription);
    EXPECT_EQ(job.Text(JOBMSG_MESSAGE_BOX), job.Text(JOBMSG_LOG_TEXT));
}

TEST(JobStop, BeforeTheFirstReadWritesNothing) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", 4 * kTransfer);
    JobRecorder job;
    job.StopAtQuery(1);

    EXPECT_EQ(job.Run(dir / "source.bin", dir / "image.img"), 0);

    EXPECT_EQ(fs::file_size(dir / "image.img"), 0u);
    const std::vector<uintptr_t> codes = {JOBMSG_PROGRESS, JOBMSG_SOURCE, JOBMSG_TOTAL_BYTES,
                                          JOBMSG_BAD_SECTORS, JOBMSG_PROGRESS};
    EXPECT_EQ(job.Codes(), codes);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 0u);
}

TEST(JobStop, MidwayKeepsWhatWasWrittenButReportsNothing) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", 4 * kTransfer);
    JobRecorder job;
    job.StopAtQuery(3);

    EXPECT_EQ(job.Run(dir / "source.bin", dir / "image.img"), 0);

    EXPECT_EQ(fs::file_size(dir / "image.img"), 2 * kTransfer);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 0u);
    EXPECT_EQ(job.Count(JOBMSG_LOG_TEXT), 0u);
    EXPECT_EQ(job.Count(JOBMSG_BYTES_DONE), 2u);
    EXPECT_EQ(job.messages.back().value, 100u);
}

} // namespace

namespace {

TEST(JobFailure, SourceNamedAsItsOwnDestinationIsLeftIntact) {
    TempDir dir;
    const fs::path file = dir / "image.img";
    WritePatternFile(file, 3 * kTransfer);
    JobRecorder job;

    EXPECT_EQ(job.Run(file, file), 0);

    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT),
              "Error 4: Cannot create the destination file. Encountered a sharing violation "
              "while accessing " +
                  file.string() + ".");
    ASSERT_EQ(fs::file_size(file), 3 * kTransfer);
    const auto bytes = ReadFileBytes(file);
    for (size_t i = 0; i < bytes.size(); i += 4099)
        ASSERT_EQ(bytes[i], PatternByte(i)) << "at " << i;
}

} // namespace

namespace {

// A folder opens as a source on some systems and reads as nothing; taken for
// an image it would overwrite the start of a disk with filler.
TEST(JobFailure, FolderAsSourceIsRefusedAndNothingIsCreated) {
    TempDir dir;
    const fs::path folder = dir / "folder";
    fs::create_directory(folder);
    JobRecorder job;

    EXPECT_EQ(job.Run(folder, dir / "image.img"), 0);

    EXPECT_EQ(job.Codes(), kFailedOpenCodes);
    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT),
              "Error 1: Cannot open the file to be repaired. Access to " + folder.string() +
                  " was denied.");
    EXPECT_EQ(job.Text(JOBMSG_MESSAGE_BOX), job.Text(JOBMSG_LOG_TEXT));
    EXPECT_FALSE(fs::exists(dir / "image.img"));
}

TEST(JobFailure, FolderAsDestinationIsRefusedAndLeftAsItWas) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", kTransfer);
    const fs::path folder = dir / "folder";
    fs::create_directory(folder);
    WritePatternFile(folder / "kept.bin", 1000);
    JobRecorder job;

    EXPECT_EQ(job.Run(dir / "source.bin", folder), 0);

    EXPECT_EQ(job.Codes(), kFailedOpenCodes);
    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT), "Error 4: Cannot create the destination file. Access to " +
                                             folder.string() + " was denied.");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    EXPECT_EQ(fs::file_size(folder / "kept.bin"), 1000u);
}

} // namespace
