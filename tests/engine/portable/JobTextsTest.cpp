// Composition of the engine's texts.
#include "src/JobTexts.h"
#include "classlib/FileException.h"
#include "classlib/StringTable.h"

#include <gtest/gtest.h>

using namespace vorlik;

namespace {

class SilentFailure : public CException {};

class WordyFailure : public CException {
  public:
    bool GetErrorMessage(std::u16string& text) const override {
        text.assign(5000, u'x');
        return true;
    }
};

TEST(JobTexts, FileFailuresDescribeTheirCauseAndFile) {
    const CFileException full(os::FileCause::DiskFull, 28, u"/mnt/x/image.img");
    EXPECT_EQ(FormatFileError(full, kTextGeneralError),
              u"Error 2: General error. Disk full while accessing /mnt/x/image.img.");
    const CFileException unnamed(os::FileCause::AccessDenied, 13, u"");
    EXPECT_EQ(
        FormatFileError(unnamed, kTextCannotCreateDestination),
        u"Error 4: Cannot create the destination file. Access to an unnamed file was denied.");
}

TEST(JobTexts, EveryCauseHasItsText) {
    for (int cause = 0; cause <= 14; ++cause) {
        const CFileException failure(static_cast<os::FileCause>(cause), -1, u"f");
        std::u16string text;
        ASSERT_TRUE(failure.GetErrorMessage(text));
        EXPECT_FALSE(text.empty()) << "cause " << cause;
        EXPECT_EQ(text.find(u"%1"), std::u16string::npos) << "cause " << cause;
    }
}

TEST(JobTexts, FailuresWithoutOrWithLongDescriptions) {
    EXPECT_EQ(FormatFileError(SilentFailure(), kTextGeneralError),
              u"Error 2: General error. No error message is available.");
    EXPECT_EQ(FormatFileError(CMemoryException(), kTextGeneralError),
              u"Error 2: General error. Out of memory.");
    const std::u16string cut = FormatFileError(WordyFailure(), kTextGeneralError);
    EXPECT_EQ(cut, u"Error 2: General error. " + std::u16string(4095, u'x'));
}

TEST(JobTexts, FormatTextFillsPlaceholdersInOrder) {
    EXPECT_EQ(FormatText(u"a %s b %s", {u"1", u"2"}), u"a 1 b 2");
    EXPECT_EQ(FormatText(u"%1 and %1", {u"x"}), u"x and x");
    EXPECT_EQ(FormatText(u"100%% of %s", {u"%s"}), u"100% of %s");
    EXPECT_EQ(FormatText(u"missing %s", {}), u"missing ");
    EXPECT_EQ(
        FormatText(LoadEngineString(kTextUnknownError), {LoadEngineString(kTextWholeProcess)}),
        u"Error 3: Unknown error in whole recovery process.");
}

} // namespace
