// A source whose reads fail for real, served by a FUSE file system: the
// image keeps the source's length, every readable byte in place, and the
// unreadable sectors filled and counted, at about one failing read each.
// A stop inside an unreadable area is honoured before the next failing read.
#include "FaultyFile.h"
#include "JobRecorder.h"
#include "TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

constexpr uint64_t kTransfer = 512 * 1024;

struct FuseCase {
    const char* name;
    uint64_t size;
    std::vector<FaultyFile::Stretch> unreadable;
    bool nullOptions;
    uint64_t badSectors;
    friend void PrintTo(const FuseCase& c, std::ostream* out) { *out << c.name; }
};

class UnreadableFuseSource : public ::testing::TestWithParam<FuseCase> {};

TEST_P(UnreadableFuseSource, ImageHasTheSourceLengthWithBadSectorsFilled) {
    if (const std::string why = FuseUnavailable(); !why.empty())
        GTEST_SKIP() << why;
    const FuseCase& c = GetParam();
    TempDir dir;
    FaultyFile source(dir / "mnt", c.size, c.unreadable);
    if (!source.Failure().empty())
        GTEST_SKIP() << source.Failure();
    const TOptionsStruct options{0xA5};
    JobRecorder job;

    EXPECT_EQ(job.Run(source.File(), dir / "image.img", c.nullOptions ? nullptr : &options), 1);

    const uint8_t fill = c.nullOptions ? 0 : 0xA5;
    const auto image = ReadFileBytes(dir / "image.img");
    ASSERT_EQ(image.size(), c.size);
    for (uint64_t i = 0; i < c.size; ++i) {
        // The bytes before a stretch arrive as a short read; from the stretch
        // on, whole sectors are lost.
        bool bad = false;
        for (const auto& [begin, end] : c.unreadable)
            bad = bad || (i >= begin && i < (end + 511) / 512 * 512);
        ASSERT_EQ(image[i], bad ? fill : PatternByte(i)) << "at " << i;
    }
    EXPECT_EQ(job.Value(JOBMSG_BAD_SECTORS), c.badSectors);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), c.size);
    EXPECT_EQ(job.Count(JOBMSG_LOG_TEXT), 0u);
    // One failing read per unreadable sector, and at most one more per
    // stretch to find where it begins.
    const uint64_t failedReads = source.FailedReads();
    EXPECT_GE(failedReads, c.badSectors);
    EXPECT_LE(failedReads, c.badSectors + c.unreadable.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnreadableFuseSource,
    ::testing::Values(
        FuseCase{"OneSector", 3 * kTransfer, {{kTransfer + 1024, kTransfer + 1536}}, false, 1},
        FuseCase{"StretchesWithNullOptions",
                 4 * kTransfer,
                 {{4096, 4096 + 3 * 512}, {2 * kTransfer - 512, 2 * kTransfer + 512}},
                 true,
                 5},
        FuseCase{"UnalignedStretchAndOddLength",
                 2 * kTransfer + 300,
                 {{100000, 100700}, {2 * kTransfer + 10, 2 * kTransfer + 20}},
                 false,
                 3},
        FuseCase{
            "RunAtATransfersStart", 4 * kTransfer, {{kTransfer, kTransfer + 8 * 512}}, false, 8},
        FuseCase{"RunInATransfersMiddle",
                 4 * kTransfer,
                 {{kTransfer + 100 * 512, kTransfer + 164 * 512}},
                 false,
                 64},
        FuseCase{"RunAtATransfersEnd",
                 4 * kTransfer,
                 {{2 * kTransfer - 16 * 512, 2 * kTransfer}},
                 false,
                 16},
        FuseCase{"WholeTransfer", 4 * kTransfer, {{kTransfer, 2 * kTransfer}}, false, 1024},
        FuseCase{"RunAcrossTwoTransfers",
                 4 * kTransfer,
                 {{2 * kTransfer - 4096, 2 * kTransfer + 4096}},
                 false,
                 16},
        FuseCase{"LastSectorOfTheSource",
                 3 * kTransfer + 1000,
                 {{3 * kTransfer + 512, 3 * kTransfer + 1000}},
                 false,
                 1}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

} // namespace

namespace {

TEST(UnreadableFuseStop, InsideAnUnreadableAreaEndsBeforeTheNextFailingRead) {
    if (const std::string why = FuseUnavailable(); !why.empty())
        GTEST_SKIP() << why;
    TempDir dir;
    FaultyFile source(dir / "mnt", 16 * kTransfer, {{2 * kTransfer, 14 * kTransfer}});
    if (!source.Failure().empty())
        GTEST_SKIP() << source.Failure();
    uint64_t failedAtStop = 0;
    JobRecorder job;
    job.StopWhen([&] {
        failedAtStop = source.FailedReads();
        return failedAtStop >= 100;
    });

    EXPECT_EQ(job.Run(source.File(), dir / "image.img"), 0);

    EXPECT_EQ(failedAtStop, 100u) << "the stop question was not asked after every failing read";
    EXPECT_EQ(source.FailedReads(), failedAtStop);
    const std::vector<uintptr_t> end = {JOBMSG_TOTAL_BYTES, JOBMSG_BAD_SECTORS, JOBMSG_PROGRESS};
    const std::vector<uintptr_t> codes = job.Codes();
    ASSERT_GE(codes.size(), end.size());
    EXPECT_TRUE(std::equal(end.begin(), end.end(), codes.end() - 3));
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 0u);
    EXPECT_EQ(job.messages.back().value, 100u);
    EXPECT_EQ(job.Count(JOBMSG_LOG_TEXT), 0u);
    // Stopped while reading the transfer that holds the area's start.
    EXPECT_EQ(job.Count(JOBMSG_BYTES_DONE), 2u);
}

} // namespace
