// One refresh handler keeps every drive drop-down of the window current.
#include "../CloneWindowFixture.h"

#include "Command.h"
#include "DriveChoice.h"
#include "LoopDisk.h"
#include "TempDir.h"

#include <QComboBox>

namespace {

struct RefreshCase {
    const char* page;   // the page button that shows it
    const char* button; // the refresh button clicked
    friend void PrintTo(const RefreshCase& c, std::ostream* out) { *out << c.button; }
};

class DriveRefresh : public CloneWindow, public ::testing::WithParamInterface<RefreshCase> {
  protected:
    void SetUp() override {
        if (const std::string why = testsupport::LoopDevicesUnavailable(); !why.empty())
            GTEST_SKIP() << why;
        CloneWindow::SetUp();
    }

    QStringList Items(const char* name) {
        QStringList items;
        auto* box = Child<QComboBox>(name);
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        return items;
    }

    testsupport::TempDir m_dir;
};

TEST_P(DriveRefresh, EitherPagesButtonRefreshesBothDropDowns) {
    for (const char* name : {"cmbSrcDrives", "cmbRestoreDstDrives"})
        Child<QComboBox>(name)->setCurrentIndex(0);
    testsupport::LoopDisk disk(m_dir / "late.img", 4 << 20, "");
    EXPECT_TRUE(apptest::DisplayNameOf(*form, disk.Device()).isEmpty());

    Click(GetParam().page);
    Click(GetParam().button);

    const QString display = apptest::DisplayNameOf(*form, disk.Device());
    ASSERT_FALSE(display.isEmpty()) << "the refresh did not list the new disk";
    for (const char* name : {"cmbSrcDrives", "cmbRestoreDstDrives"}) {
        EXPECT_EQ(Items(name), form->DriveList().DisplayNames) << name;
        EXPECT_EQ(Child<QComboBox>(name)->currentIndex(), -1) << name; // the user chooses again
    }
    EXPECT_TRUE(Child<TDragEdit>("txtSrcFile")->text().isEmpty());
    EXPECT_TRUE(Child<QLineEdit>("txtRestoreDstFile")->text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, DriveRefresh,
                         ::testing::Values(RefreshCase{"btnRepairTab", "btnSrcRefresh"},
                                           RefreshCase{"btnRestoreTab", "btnRestoreDstRefresh"}),
                         [](const auto& testCase) { return std::string(testCase.param.button); });

} // namespace
