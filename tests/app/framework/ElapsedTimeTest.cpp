#include "ElapsedTime.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using namespace std::chrono;

struct ElapsedCase {
    const char* pattern;
    milliseconds duration;
    const char* text;
};

// Names the case in test names and failure messages.
void PrintTo(const ElapsedCase& c, std::ostream* out) {
    *out << std::to_string(c.duration.count()) + " ms";
}

class FormatElapsedTimeTest : public ::testing::TestWithParam<ElapsedCase> {};

TEST_P(FormatElapsedTimeTest, RendersTheDurationByThePattern) {
    const ElapsedCase& c = GetParam();
    EXPECT_EQ(FormatElapsedTime(QString::fromLatin1(c.pattern), c.duration),
              QString::fromLatin1(c.text));
}

constexpr milliseconds kDayAndABit = days(2) + hours(23) + minutes(59) + seconds(59) + 999ms;

INSTANTIATE_TEST_SUITE_P(
    Display, FormatElapsedTimeTest,
    ::testing::Values(ElapsedCase{kElapsedDisplayPattern, 0ms, "0 day(s) 0 hour(s) 0 minute(s) "},
                      ElapsedCase{kElapsedDisplayPattern, 59s, "0 day(s) 0 hour(s) 0 minute(s) "},
                      ElapsedCase{kElapsedDisplayPattern, days(1) + hours(2) + minutes(3) + 4s,
                                  "1 day(s) 2 hour(s) 3 minute(s) "}));

INSTANTIATE_TEST_SUITE_P(
    Log, FormatElapsedTimeTest,
    ::testing::Values(
        ElapsedCase{kElapsedLogPattern, 0ms,
                    "Consumed time: 0 day(s) 0 hour(s) 0 minute(s) 0 second(s) 0 millisecond(s)."},
        ElapsedCase{kElapsedLogPattern, 59s,
                    "Consumed time: 0 day(s) 0 hour(s) 0 minute(s) 59 second(s) 0 millisecond(s)."},
        ElapsedCase{
            kElapsedLogPattern, hours(1) + minutes(2) + 3400ms,
            "Consumed time: 0 day(s) 1 hour(s) 2 minute(s) 3 second(s) 400 millisecond(s)."},
        ElapsedCase{kElapsedLogPattern, kDayAndABit,
                    "Consumed time: 2 day(s) 23 hour(s) 59 minute(s) 59 second(s) 999 "
                    "millisecond(s)."}));

INSTANTIATE_TEST_SUITE_P(
    BatchLog, FormatElapsedTimeTest,
    ::testing::Values(
        ElapsedCase{kElapsedBatchLogPattern, 0ms,
                    "Batch clone consumed time: 0 day(s) 0 hour(s) 0 minute(s) 0 second(s) 0 "
                    "millisecond(s)."},
        ElapsedCase{kElapsedBatchLogPattern, 59s,
                    "Batch clone consumed time: 0 day(s) 0 hour(s) 0 minute(s) 59 second(s) 0 "
                    "millisecond(s)."},
        ElapsedCase{kElapsedBatchLogPattern, days(40) + 5ms,
                    "Batch clone consumed time: 40 day(s) 0 hour(s) 0 minute(s) 0 second(s) 5 "
                    "millisecond(s)."}));

INSTANTIATE_TEST_SUITE_P(
    Forms, FormatElapsedTimeTest,
    ::testing::Values(
        // Doubled letters pad; quoted text is literal even when it holds letters.
        ElapsedCase{"hh:nn:ss.zzz", hours(1) + minutes(2) + 3004ms, "01:02:03.004"},
        ElapsedCase{"'h n s z' h", hours(5), "h n s z 5"},
        // A clock that went back reads as no time at all.
        ElapsedCase{kElapsedDisplayPattern, -5s, "0 day(s) 0 hour(s) 0 minute(s) "}));

} // namespace
