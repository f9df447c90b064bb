// Without administrator rights the drive lists are empty: the log says why.
#include "CloneWindowFixture.h"

#include "RightsNotice.h"
#include "SpecConsts.h"

#include <QPlainTextEdit>

namespace {

TEST_F(CloneWindow, MissingRightsAreExplainedInTheLog) {
    NoteMissingAdministratorRights(*form);

    EXPECT_EQ(form->LogLines(), QStringList{kNoAdministratorRights});
    EXPECT_TRUE(
        Child<QPlainTextEdit>("txtRepairLog")->toPlainText().contains("administrator rights"));
    EXPECT_TRUE(messages.Texts("error").isEmpty());
}

} // namespace
