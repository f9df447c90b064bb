#include "TrackingCode.h"

#include "TempConfigFolder.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct TrackingCase {
    const char* url;
    const char* code;
    const char* expected;
};

// Names the case in test names and failure messages.
void PrintTo(const TrackingCase& c, std::ostream* out) {
    *out << std::string(c.url) + " + " + c.code;
}

class AddTrackingCodeTest : public ::testing::TestWithParam<TrackingCase> {};

TEST_P(AddTrackingCodeTest, AppendsTheCampaignCodeUnescaped) {
    const TrackingCase& c = GetParam();
    EXPECT_EQ(AddTrackingCode(QString::fromLatin1(c.url), QString::fromLatin1(c.code)),
              QString::fromLatin1(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Urls, AddTrackingCodeTest,
                         ::testing::Values(TrackingCase{"https://www.example.com/", "",
                                                        "https://www.example.com/"},
                                           TrackingCase{"https://www.example.com/", "abc",
                                                        "https://www.example.com/?utm_source=abc"},
                                           // No check for a query part, and nothing escaped.
                                           TrackingCase{"https://example.com/a?b=1", "abc",
                                                        "https://example.com/a?b=1?utm_source=abc"},
                                           TrackingCase{"https://example.com/", "a b&c",
                                                        "https://example.com/?utm_source=a b&c"}));

TEST(StoredTrackingCode, ComesFromTheRunningProgramsSettings) {
    const apptest::TempConfigFolder config;
    ASSERT_TRUE(config.IsValid());
    EXPECT_EQ(GetTrackingCode(), QString());
    EXPECT_EQ(AddTrackingCode(QStringLiteral("https://www.example.com/")),
              QStringLiteral("https://www.example.com/"));
    config.Open(ProgramName())
        ->setValue(QStringLiteral("Misc/TrackingCode"), QStringLiteral("abc"));
    EXPECT_EQ(GetTrackingCode(), QStringLiteral("abc"));
    EXPECT_EQ(AddTrackingCode(QStringLiteral("https://www.example.com/")),
              QStringLiteral("https://www.example.com/?utm_source=abc"));
    EXPECT_EQ(GetTrackingCode(QStringLiteral("another-program")), QString());
}

} // namespace
