#include "SizeText.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

struct SizeCase {
    int64_t bytes;
    const char* text;
};

// Names the case in test names and failure messages.
void PrintTo(const SizeCase& c, std::ostream* out) {
    *out << std::to_string(c.bytes);
}

class FormatSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FormatSizeTest, RendersTwoDecimalsInTheUnitOfTheExactCount) {
    EXPECT_EQ(FormatSize(GetParam().bytes, kEnglish), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FormatSizeTest,
    ::testing::Values(SizeCase{0, "0.00 KB"}, SizeCase{512, "0.50 KB"}, SizeCase{1023, "1.00 KB"},
                      // Below the MB threshold although it rounds to 1024.
                      SizeCase{1048575, "1,024.00 KB"}, SizeCase{1048576, "1.00 MB"},
                      SizeCase{1610612736, "1.50 GB"}, SizeCase{1099511627776, "1.00 TB"},
                      SizeCase{500107862016, "465.76 GB"}, SizeCase{-512, "-0.50 KB"},
                      SizeCase{-5000000000, "-4,882,812.50 KB"},
                      SizeCase{INT64_MAX, "8,388,608.00 TB"}));

TEST(FormatSizeLocale, UsesTheDefaultLocaleWhenNoneIsGiven) {
    // The test main pins English as the default.
    EXPECT_EQ(FormatSize(1048575), QStringLiteral("1,024.00 KB"));
    EXPECT_EQ(FormatSize(1048575, QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("1.024,00 KB"));
}

TEST(FormatByteCount, GroupsDigitsOfFull64BitCounts) {
    EXPECT_EQ(FormatByteCount(uint64_t{0}, kEnglish), QStringLiteral("0"));
    EXPECT_EQ(FormatByteCount(uint64_t{999}, kEnglish), QStringLiteral("999"));
    EXPECT_EQ(FormatByteCount(uint64_t{4294967295}, kEnglish), QStringLiteral("4,294,967,295"));
    EXPECT_EQ(FormatByteCount(uint64_t{17179869184}, kEnglish), QStringLiteral("17,179,869,184"));
    EXPECT_EQ(FormatByteCount(int64_t{-1}, kEnglish), QStringLiteral("-1"));
}

} // namespace
