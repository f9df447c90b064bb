// File-to-file jobs through the exported interface: the copy itself and the
// order of the messages that report it.
#include "JobRecorder.h"
#include "TempDir.h"

#include "vorlik/Vorlik.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

constexpr uint64_t kTransfer = 512 * 1024;

// The messages of a job whose loop makes `reports` progress reports and
// ends without a failure.
std::vector<uintptr_t> ExpectedCodes(size_t reports) {
    std::vector<uintptr_t> codes = {JOBMSG_PROGRESS, JOBMSG_SOURCE};
    for (size_t i = 0; i < reports; ++i) {
        codes.push_back(JOBMSG_PROGRESS);
        codes.push_back(JOBMSG_BYTES_DONE);
    }
    codes.insert(codes.end(), {JOBMSG_TOTAL_BYTES, JOBMSG_BAD_SECTORS, JOBMSG_PROGRESS});
    return codes;
}

struct CopyCase {
    const char* name;
    uint64_t size;
    size_t loopReports; // one per full transfer below 100 transfers
    size_t stopQuestions;
    friend void PrintTo(const CopyCase& c, std::ostream* out) { *out << c.name; }
};

class FileCopy : public ::testing::TestWithParam<CopyCase> {};

TEST_P(FileCopy, CopiesEveryByteAndReportsInOrder) {
    const CopyCase& c = GetParam();
    TempDir dir;
    WritePatternFile(dir / "source.bin", c.size);
    JobRecorder job;

    const int32_t result = job.Run(dir / "source.bin", dir / "image.img");

    EXPECT_EQ(result, c.size > 0 ? 1 : 0);
    EXPECT_TRUE(SameContent(dir / "source.bin", dir / "image.img"));
    EXPECT_EQ(job.Codes(), ExpectedCodes(c.loopReports));
    EXPECT_EQ(job.Count(JOBMSG_QUERY_ABORT), c.stopQuestions);
    EXPECT_EQ(job.messages.front().value, 0u);
    EXPECT_EQ(job.messages.back().value, 100u);
    EXPECT_EQ(job.Text(JOBMSG_SOURCE), (dir / "source.bin").string());
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), c.size);
    EXPECT_EQ(job.Value(JOBMSG_BAD_SECTORS), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FileCopy,
    ::testing::Values(CopyCase{"Empty", 0, 0, 1}, CopyCase{"BelowOneTransfer", 1000, 0, 1},
                      CopyCase{"WholeTransfers", 4 * kTransfer, 4, 5},
                      CopyCase{"TransfersAndARest", 5 * kTransfer + 1000, 5, 6}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(FileCopyProgress, LargeSourceSendsAboutAHundredRisingReports) {
    TempDir dir;
    const uint64_t size = 600 * kTransfer; // 300 MiB: a report every 6 transfers
    WritePatternFile(dir / "source.bin", size);
    JobRecorder job;

    ASSERT_EQ(job.Run(dir / "source.bin", dir / "image.img"), 1);

    const auto percents = job.LoopProgress();
    ASSERT_EQ(percents.size(), 100u);
    EXPECT_EQ(percents.front(), 1u);
    EXPECT_EQ(percents.back(), 100u);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_TRUE(SameContent(dir / "source.bin", dir / "image.img"));
    // Each report is followed by the bytes written so far.
    for (size_t i = 0; i + 1 < job.messages.size(); ++i) {
        if (job.messages[i].code == JOBMSG_BYTES_DONE) {
            EXPECT_EQ(job.messages[i].value % (6 * kTransfer), 0u);
        }
    }
}

TEST(FileCopyRecord, NullCallbackStillCopies) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", 3 * kTransfer + 7);
    const std::u16string src = Wide(dir / "source.bin"), dst = Wide(dir / "image.img");
    JobRecord record{src.c_str(), nullptr, 0, dst.c_str(), nullptr, 0};
    ScrambleJobRecord(&record);

    EXPECT_EQ(EngineRunJob(&record), 1);
    EXPECT_TRUE(SameContent(dir / "source.bin", dir / "image.img"));
}

TEST(FileCopyRecord, ReservedSlotIsIgnoredAndRecordLeftUnchanged) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", kTransfer + 1);
    const std::u16string src = Wide(dir / "source.bin"), dst = Wide(dir / "image.img");
    JobRecorder job;
    const TOptionsStruct options{0xAB};
    JobRecord record{src.c_str(),
                     &options,
                     static_cast<intptr_t>(0x7FFF1234),
                     dst.c_str(),
                     &JobRecorder::Callback,
                     reinterpret_cast<uintptr_t>(&job)};
    ScrambleJobRecord(&record);
    JobRecord before;
    std::memcpy(&before, &record, sizeof record);

    EXPECT_EQ(EngineRunJob(&record), 1);

    EXPECT_EQ(std::memcmp(&before, &record, sizeof record), 0);
    EXPECT_TRUE(SameContent(dir / "source.bin", dir / "image.img"));
    ASSERT_FALSE(job.callbackContexts.empty());
    for (const uintptr_t context : job.callbackContexts)
        EXPECT_EQ(context, reinterpret_cast<uintptr_t>(&job));
}

TEST(FileCopyRecord, ExistingDestinationFileIsReplaced) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", 1000);
    WritePatternFile(dir / "image.img", 5 * kTransfer);
    JobRecorder job;

    EXPECT_EQ(job.Run(dir / "source.bin", dir / "image.img"), 1);
    EXPECT_EQ(fs::file_size(dir / "image.img"), 1000u);
}

} // namespace
