// The verdict on a job from what the engine reported: its result alone is
// 1 whenever anything was written, which must not read as success.
#include "JobOutcome.h"

#include "vorlik/Vorlik.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct VerdictCase {
    const char* name;
    int32_t engineResult;
    bool failureText;
    uint64_t total;
    uint64_t expected;
    bool stop;
    bool succeeded;
    friend void PrintTo(const VerdictCase& c, std::ostream* out) { *out << c.name; }
};

class JobVerdict : public ::testing::TestWithParam<VerdictCase> {};

// The outcome is built from real messages, as the engine sends them.
TEST_P(JobVerdict, FollowsTheEngineReports) {
    const VerdictCase& c = GetParam();
    JobOutcome outcome;
    outcome.Begin(c.expected);
    if (c.failureText)
        outcome.Note(JOBMSG_LOG_TEXT, reinterpret_cast<uintptr_t>(u"Error 2: disk full"));
    const uint64_t total = c.total;
    outcome.Note(JOBMSG_TOTAL_BYTES, reinterpret_cast<uintptr_t>(&total));
    outcome.engineResult = c.engineResult;
    outcome.stopRequested = c.stop;

    EXPECT_EQ(outcome.Succeeded(), c.succeeded);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, JobVerdict,
    ::testing::Values(VerdictCase{"WholeSourceWritten", 1, false, 4096, 4096, false, true},
                      VerdictCase{"NothingWritten", 0, false, 0, 4096, false, false},
                      // The engine wrote part and then reported a full disk.
                      VerdictCase{"FailureTextAfterPartWritten", 1, true, 2048, 4096, false, false},
                      VerdictCase{"FailureTextEvenWithAllWritten", 1, true, 4096, 4096, false,
                                  false},
                      // The source ended early without a text (e.g. it was pulled).
                      VerdictCase{"ShortWithoutText", 1, false, 2048, 4096, false, false},
                      VerdictCase{"ShortAfterAStop", 1, false, 2048, 4096, true, true},
                      VerdictCase{"UnknownSourceSizeNeverCounts", 1, false, 2048, 0, false, true},
                      VerdictCase{"MoreThanTheHeaderShowed", 1, false, 8192, 4096, false, true}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(JobOutcome, BeginForgetsThePreviousJob) {
    JobOutcome outcome;
    outcome.Begin(100);
    outcome.Note(JOBMSG_LOG_TEXT, reinterpret_cast<uintptr_t>(u"Error"));
    const uint64_t total = 50;
    outcome.Note(JOBMSG_TOTAL_BYTES, reinterpret_cast<uintptr_t>(&total));
    outcome.engineResult = 1;
    outcome.stopRequested = true;

    outcome.Begin(7);

    EXPECT_FALSE(outcome.failureReported);
    EXPECT_EQ(outcome.totalBytes, 0u);
    EXPECT_EQ(outcome.expectedBytes, 7u);
    EXPECT_EQ(outcome.engineResult, 0);
    EXPECT_FALSE(outcome.stopRequested);
}

TEST(JobOutcome, ProgressAndBadSectorsLeaveTheVerdictAlone) {
    JobOutcome outcome;
    outcome.Begin(4096);
    const uint64_t total = 4096;
    const uint64_t doneSoFar = 1024;
    const uint64_t badSectors = 3;
    const uint8_t percent = 25;
    outcome.Note(JOBMSG_PROGRESS, reinterpret_cast<uintptr_t>(&percent));
    outcome.Note(JOBMSG_BYTES_DONE, reinterpret_cast<uintptr_t>(&doneSoFar));
    outcome.Note(JOBMSG_TOTAL_BYTES, reinterpret_cast<uintptr_t>(&total));
    outcome.Note(JOBMSG_BAD_SECTORS, reinterpret_cast<uintptr_t>(&badSectors));
    outcome.engineResult = 1;

    EXPECT_EQ(outcome.totalBytes, 4096u);
    EXPECT_TRUE(outcome.Succeeded());
}

} // namespace
