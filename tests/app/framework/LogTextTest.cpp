#include "LogText.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

TEST(SeparatorLine, Is56Hyphens) {
    EXPECT_EQ(QString::fromLatin1(kSeparatorLine), QString(56, u'-'));
}

struct StripCase {
    const char* markup;
    const char* plain;
};

// Names the case in test names and failure messages.
void PrintTo(const StripCase& c, std::ostream* out) {
    *out << c.markup;
}

class StripHtmlTagsTest : public ::testing::TestWithParam<StripCase> {};

TEST_P(StripHtmlTagsTest, BreaksLinesAndDropsTags) {
    EXPECT_EQ(StripHtmlTags(QString::fromLatin1(GetParam().markup)),
              QString::fromLatin1(GetParam().plain));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StripHtmlTagsTest,
    ::testing::Values(StripCase{"", ""}, StripCase{"no tags at all", "no tags at all"},
                      StripCase{"Hello<BR>World", "Hello\r\nWorld"},
                      StripCase{"a<br>b<Br>c", "a\r\nb\r\nc"},
                      StripCase{"Clone <B>'C:'</B> done.<BR><BR>Image: <B>x.img</B>",
                                "Clone 'C:' done.\r\n\r\nImage: x.img"},
                      StripCase{"<a href=\"https://example.com\">link</a>", "link"},
                      // From the first "<" to the next ">": a nested opener goes with it.
                      StripCase{"<<B>>", ">"}, StripCase{"a > b", "a > b"},
                      // A "<" that no ">" follows is no tag; the text is kept, and the
                      // removal ends instead of looking for the ">" forever.
                      StripCase{"a < b", "a < b"}, StripCase{"<B>x</B> 3 < 4", "x 3 < 4"}));

} // namespace
