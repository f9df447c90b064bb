// One refresh handler keeps every drive drop-down of the window current.
#include "../CloneWindowFixture.h"

#include "Command.h"
#include "DriveChoice.h"
#include "LoopDisk.h"
#include "TempDir.h"

#include <QComboBox>

namespace {

class DriveRefresh : public CloneWindow {
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

TEST_F(DriveRefresh, ADiskAttachedLaterAppearsAfterARefresh) {
    auto* drives = Child<QComboBox>("cmbSrcDrives");
    drives->setCurrentIndex(drives->count() - 1);
    testsupport::LoopDisk disk(m_dir / "late.img", 4 << 20, "");
    const QString display = apptest::DisplayNameOf(disk.Device());
    ASSERT_FALSE(display.isEmpty());
    EXPECT_FALSE(Items("cmbSrcDrives").contains(display));

    Click("btnSrcRefresh");

    TDriveList list;
    EnumDrivesAndDisks(list);
    EXPECT_EQ(Items("cmbSrcDrives"), list.DisplayNames);
    EXPECT_TRUE(Items("cmbSrcDrives").contains(display));
    EXPECT_EQ(drives->currentIndex(), -1); // the user chooses again
    EXPECT_TRUE(Child<TDragEdit>("txtSrcFile")->text().isEmpty());
}

} // namespace
