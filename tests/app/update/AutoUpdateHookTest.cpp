// The main window runs the update check once, after its first show, only
// while "A&uto check and apply product updates" is ticked.
#include "MainFrm.h"
#include "TempConfigFolder.h"
#include "UpdateFixture.h"

#include <QCheckBox>
#include <QTest>

using namespace updatetest;

class AutoUpdateHook : public UpdateTest {
  protected:
    // Shows the main window and lets its first-show work run.
    void ShowMainWindow(bool autoUpdate) {
        form = std::make_unique<TMainForm>(messages);
        form->findChild<QCheckBox*>("chkAutoUpdate")->setChecked(autoUpdate);
        form->show();
        QTest::qWait(100);
        form->show(); // a second show starts nothing
        QTest::qWait(100);
    }

    apptest::TempConfigFolder config;
    std::unique_ptr<TMainForm> form;
};

TEST_F(AutoUpdateHook, TickedRunsTheCheckOnceAgainstTheProgramsAddress) {
    server.Serve("/vorlik.inf", {Answer::Whole, "[update]\nnewversion=1.0.0.0\n"});
    QUrl configured;
    messages.onModal = [&](QDialog* dialog) {
        auto* check = qobject_cast<TCheckUpdateForm*>(dialog);
        ASSERT_NE(check, nullptr);
        configured = check->WebUpdate()->UpdateUrl();
        check->WebUpdate()->SetUpdateUrl(server.Url("/vorlik.inf"));
    };

    ShowMainWindow(true);

    EXPECT_EQ(messages.windows, QStringList{"CheckUpdateForm"});
    EXPECT_EQ(configured, QUrl("https://www.tolvane.example/update/vorlik/vorlik.inf"));
    EXPECT_EQ(server.requests, QStringList{"/vorlik.inf"});
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(AutoUpdateHook, UntickedRunsNoCheck) {
    ShowMainWindow(false);
    EXPECT_TRUE(messages.windows.isEmpty());
}
