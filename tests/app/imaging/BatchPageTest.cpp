// The Batch Clone page without devices: the list's buttons and keys, the
// five-button question and its "to All" answers, Cancel, and the add
// dialog's own rules. Rows name drives that are not in the drive list, so
// every entry that gets past its questions fails without touching a disk.
#include "BatchWindowFixture.h"

#include "ConfirmBatchStep.h"
#include "LogText.h"
#include "SelDriveFrm.h"
#include "Setting.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

namespace {

using Answer = MessageService::Answer;

const QString kExists = "Warning 1: A file named '%1' already exists. Overwrite it?";
const QString kBadExt = "Warning 2: Extension of destination file '%1' is invalid! Still proceed?";

struct ConfirmCase {
    const char* name;
    bool yesToAll, noToAll;     // the flags before the question
    QList<Answer> answers;      // what the user answers, if asked
    bool asked, result, cancel; // expected
    bool yesAfter, noAfter;     // the flags after
    friend void PrintTo(const ConfirmCase& c, std::ostream* out) { *out << c.name; }
};

class ConfirmStep : public ::testing::TestWithParam<ConfirmCase> {};

TEST_P(ConfirmStep, AnswersAndRemembers) {
    const ConfirmCase& c = GetParam();
    ScriptedMessageService messages;
    messages.answers = c.answers;
    bool yes = c.yesToAll, no = c.noToAll, cancel = true; // cancel is always reset
    EXPECT_EQ(ConfirmBatchStep(messages, nullptr, "Go?", yes, cancel, no), c.result);
    EXPECT_EQ(messages.Texts("batch"), c.asked ? QStringList{"Go?"} : QStringList{});
    EXPECT_EQ(cancel, c.cancel);
    EXPECT_EQ(yes, c.yesAfter);
    EXPECT_EQ(no, c.noAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ConfirmStep,
    ::testing::Values(
        ConfirmCase{"Yes", false, false, {Answer::Yes}, true, true, false, false, false},
        ConfirmCase{"No", false, false, {Answer::No}, true, false, false, false, false},
        ConfirmCase{"Cancel", false, false, {Answer::Cancel}, true, true, true, false, false},
        ConfirmCase{"YesToAll", false, false, {Answer::YesToAll}, true, true, false, true, false},
        ConfirmCase{"NoToAll", false, false, {Answer::NoToAll}, true, false, false, false, true},
        ConfirmCase{"RememberedYes", true, false, {}, false, true, false, true, false},
        ConfirmCase{"RememberedNo", false, true, {}, false, false, false, false, true},
        ConfirmCase{"NoWinsOverYes", true, true, {}, false, false, false, true, true}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(BatchWindow, EmptyListOnlyAsksForEntries) {
    Click("btnRepairFiles");
    EXPECT_EQ(messages.Texts("information"),
              QStringList{"Please add drives or disks to the list first!"});
    EXPECT_TRUE(form->LogLines().isEmpty());
    EXPECT_EQ(Child<QPushButton>("btnRepairFiles")->text(), "&Start Cloning");
}

TEST_F(BatchWindow, RemovesSelectedRowsAllRowsAndByKeys) {
    for (const char* name : {"A", "B", "C", "D", "E"})
        AddRow(name, Path(QString(name) + ".img"));
    EXPECT_EQ(Statuses(), QStringList(5, "Not Cloned"));
    List()->topLevelItem(1)->setSelected(true);
    List()->topLevelItem(3)->setSelected(true);
    Click("btnRemoveFiles");
    EXPECT_EQ(Column(0), (QStringList{"A", "C", "E"}));

    List()->topLevelItem(2)->setSelected(true);
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(Column(0), (QStringList{"A", "C"}));

    QTest::keyClick(List(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(List()->topLevelItemCount(), 0);

    AddRow("F", Path("F.img"));
    Click("btnRemoveAll");
    EXPECT_EQ(List()->topLevelItemCount(), 0);
}

TEST_F(BatchWindow, DuplicateDriveIsRefusedButOutputsMayRepeat) {
    AddRow("Hard disk 7  (1.00 GB)", Path("one.img"));
    AddRow("Hard disk 7  (1.00 GB)", Path("two.img"));
    AddRow("Hard disk 7  (2.00 GB)", Path("one.img")); // same disk, other medium
    AddRow("hard disk 7  (1.00 GB)", Path("one.img")); // the key is case-sensitive
    EXPECT_EQ(messages.Texts("error"), QStringList{"Drive or disk already exists in the list!"});
    EXPECT_EQ(Column(0), (QStringList{"Hard disk 7  (1.00 GB)", "Hard disk 7  (2.00 GB)",
                                      "hard disk 7  (1.00 GB)"}));
    EXPECT_EQ(Column(1), (QStringList{Path("one.img"), Path("one.img"), Path("one.img")}));
}

// The list cannot change under a running batch: its buttons are disabled
// and so are the keys, which follow them.
TEST_F(BatchWindow, ListStaysAsItIsDuringARun) {
    AddRow("Hard disk 98", Path("a.img"));
    AddRow("Hard disk 99", Path("b.img"));
    WriteFile(Path("a.img"), "old");
    List()->topLevelItem(0)->setSelected(true);
    bool triedDuringRun = false;
    messages.onShow = [&](const ScriptedMessageService::Shown& shown) {
        if (shown.kind != "batch")
            return;
        triedDuringRun = true;
        EXPECT_FALSE(Child<QPushButton>("btnAddFiles")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>("btnRemoveFiles")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>("btnRemoveAll")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>("btnRepair")->isEnabled());
        EXPECT_EQ(Child<QPushButton>("btnRepairFiles")->text(), "&Stop Cloning");
        QTest::keyClick(List(), Qt::Key_Delete);
        QTest::keyClick(List(), Qt::Key_Delete, Qt::ShiftModifier);
        EXPECT_EQ(List()->topLevelItemCount(), 2);
    };

    Click("btnRepairFiles");

    EXPECT_TRUE(triedDuringRun);
    EXPECT_EQ(Statuses(), (QStringList{"Failed", "Failed"}));
    EXPECT_TRUE(Child<QPushButton>("btnRemoveAll")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>("btnRepair")->isEnabled());
    EXPECT_EQ(Child<QPushButton>("btnRepairFiles")->text(), "&Start Cloning");
}

// Five rows with existing outputs, two with a bad extension: the flags of
// one question never answer another.
TEST_F(BatchWindow, ToAllAnswersHoldForTheirOwnQuestionOnly) {
    const QStringList names{"r1.img", "r2.img", "r3.bin", "r4.img", "r5.bin"};
    for (int i = 0; i < names.size(); ++i) {
        WriteFile(Path(names[i]), "old");
        AddRow(QString("Hard disk %1").arg(90 + i), Path(names[i]));
    }
    messages.answers = {Answer::NoToAll,   // r1 exists: skip it and every later existing one
                        Answer::YesToAll}; // r3's extension: go on with it and with r5's
    Click("btnRepairFiles");

    EXPECT_EQ(messages.Texts("batch"), (QStringList{kExists.arg("r1.img"), kBadExt.arg("r3.bin")}));
    EXPECT_EQ(Statuses(), QStringList(5, "Skipped"));
    EXPECT_EQ(gaugeValues, QList<int>{100}); // skipped entries do not move it
    EXPECT_EQ(messages.Texts("information"),
              QStringList{"0 drive(s) or disk(s) cloned successfully."});
}

TEST_F(BatchWindow, NoToAllOnAMissingFolderSkipsOnlyMissingFolders) {
    AddRow("Hard disk 91", Path("gone/a.img"));
    AddRow("Hard disk 92", Path("b.img"));
    AddRow("Hard disk 93", Path("gone2/c.img"));
    messages.answers = {Answer::NoToAll};
    Click("btnRepairFiles");

    EXPECT_EQ(messages.Texts("batch"),
              QStringList{"Warning 4: The path '" + Path("gone") +
                          "' for destination file 'a.img' does not exist. Create it?"});
    EXPECT_EQ(Statuses(), (QStringList{"Skipped", "Failed", "Skipped"}));
    EXPECT_FALSE(QFileInfo::exists(Path("gone")));
    EXPECT_FALSE(QFileInfo::exists(Path("gone2")));
}

TEST_F(BatchWindow, FolderThatCannotBeCreatedSkipsTheEntryAndGoesOn) {
    WriteFile(Path("plain"), "a file where a folder should be");
    AddRow("Hard disk 91", Path("plain/sub/a.img"));
    AddRow("Hard disk 92", Path("b.img"));
    Click("btnRepairFiles");

    EXPECT_EQ(messages.Texts("error"),
              QStringList{"Cannot create the directory '" + Path("plain/sub") + "'!"});
    EXPECT_EQ(Statuses(), (QStringList{"Skipped", "Failed"}));
}

TEST_F(BatchWindow, CancelAbortsTheRowAndEndsTheRun) {
    AddRow("Hard disk 91", Path("a.img"));
    AddRow("Hard disk 92", Path("b.img"));
    AddRow("Hard disk 93", Path("c.img"));
    WriteFile(Path("b.img"), "old");
    messages.answers = {Answer::Cancel};
    Click("btnRepairFiles");

    EXPECT_EQ(Statuses(), (QStringList{"Failed", "Aborted", "Not Cloned"}));
    EXPECT_EQ(ReadFile(Path("b.img")), "old");
    EXPECT_EQ(gaugeValues, (QList<int>{33, 100}));
    const QStringList log = form->LogLines();
    // The aborted row's block, then the batch's footer and summary.
    const qsizetype abort = log.indexOf("Abort cloning 'Hard disk 92'.");
    ASSERT_GT(abort, 0) << log.join('\n').toStdString();
    EXPECT_EQ(log.mid(abort - 1, 4),
              (QStringList{kSeparatorLine, "Abort cloning 'Hard disk 92'.", kSeparatorLine, ""}));
    EXPECT_EQ(log.mid(abort + 3, 1), QStringList{kSeparatorLine});
    EXPECT_TRUE(QRegularExpression("^Batch clone consumed time: 0 day\\(s\\) 0 hour\\(s\\) 0 "
                                   "minute\\(s\\) \\d+ second\\(s\\) \\d+ millisecond\\(s\\)\\.$")
                    .match(log.value(abort + 4))
                    .hasMatch())
        << log.value(abort + 4).toStdString();
    EXPECT_EQ(log.mid(abort + 5),
              (QStringList{kSeparatorLine, "Batch cloning process completes.", kSeparatorLine,
                           "0 drive(s) or disk(s) cloned successfully."}));
    EXPECT_EQ(messages.Texts("information"),
              QStringList{"0 drive(s) or disk(s) cloned successfully."});
}

// A failed entry logs the single job's block with its failure line and no
// box; the next entry is still tried.
TEST_F(BatchWindow, FailedEntryIsLoggedWithoutABoxAndTheRunGoesOn) {
    AddRow("Hard disk 91", Path("a.img"));
    AddRow("Hard disk 92", Path("b.img"));
    Click("btnRepairFiles");

    EXPECT_EQ(Statuses(), (QStringList{"Failed", "Failed"}));
    const QStringList log = form->LogLines();
    ASSERT_EQ(log.size(), 5 + 2 * 13 + 6) << log.join('\n').toStdString();
    EXPECT_EQ(log.mid(0, 5),
              (QStringList{"Start batch cloning process ...", kSeparatorLine,
                           "Total disk(s) or drive(s) to be cloned: 2.", kSeparatorLine, ""}));
    EXPECT_EQ(log.mid(5, 6),
              (QStringList{"Start cloning process ...", kSeparatorLine,
                           "Drive or disk to be cloned: 'Hard disk 91'; Total size: 0 bytes",
                           "Output image file as: '" + Path("a.img") + "'", kSeparatorLine,
                           kSeparatorLine}));
    EXPECT_TRUE(log[11].startsWith("Consumed time: ")) << log[11].toStdString();
    EXPECT_EQ(log.mid(12, 7), (QStringList{kSeparatorLine, "Cloning process completes.",
                                           kSeparatorLine, "Fail to clone 'Hard disk 91'!",
                                           kSeparatorLine, "", "Start cloning process ..."}));
    EXPECT_EQ(log[30], "");
    EXPECT_EQ(messages.Texts("information"),
              QStringList{"0 drive(s) or disk(s) cloned successfully."});
}

// The add dialog on its own, with drive names of its own.
class AddDialog : public BatchWindow {
  protected:
    QComboBox* Drives(TSelDriveForm& d) { return d.findChild<QComboBox*>("cmbSrcDrives"); }
    QLineEdit* Output(TSelDriveForm& d) { return d.findChild<QLineEdit*>("txtDstFile"); }
    QPushButton* Ok(TSelDriveForm& d) { return d.findChild<QPushButton*>("btnOK"); }
};

TEST_F(AddDialog, OkNeedsAChoiceAndAnOutputName) {
    TSelDriveForm dialog(nullptr, nullptr);
    dialog.SetDriveNames({"Hard disk 1  (1.00 GB)", "Hard disk 2  (2.00 GB)"});
    EXPECT_FALSE(Ok(dialog)->isEnabled());
    EXPECT_TRUE(dialog.SelectedDrive().isEmpty());
    Drives(dialog)->setCurrentIndex(1);
    EXPECT_FALSE(Ok(dialog)->isEnabled());
    QTest::keyClicks(Output(dialog), "x");
    EXPECT_TRUE(Ok(dialog)->isEnabled());
    Output(dialog)->clear();
    EXPECT_FALSE(Ok(dialog)->isEnabled());
    QTest::keyClicks(Output(dialog), " "); // blanks are a name as typed
    EXPECT_TRUE(Ok(dialog)->isEnabled());
    EXPECT_EQ(dialog.SelectedDrive(), "Hard disk 2  (2.00 GB)");
    dialog.SetDriveNames({"Hard disk 1  (1.00 GB)"}); // a new list loses the choice
    EXPECT_FALSE(Ok(dialog)->isEnabled());
}

TEST_F(AddDialog, CancelAddsNothing) {
    messages.onShow = [&](const ScriptedMessageService::Shown&) {
        auto* dialog = form->findChild<TSelDriveForm*>();
        ASSERT_NE(dialog, nullptr);
        Output(*dialog)->setText(Path("x.img"));
        if (Drives(*dialog)->count() > 0)
            Drives(*dialog)->setCurrentIndex(0);
        dialog->findChild<QPushButton*>("btnClose")->click();
    };
    Click("btnAddFiles");
    EXPECT_EQ(messages.Texts("window"), QStringList{"Add Drive/Disk"});
    EXPECT_EQ(List()->topLevelItemCount(), 0);
}

// The browse button starts on the filter chosen last time and remembers
// the one chosen now; "All files" adds no extension to a typed name.
TEST_F(AddDialog, SaveDialogRemembersItsFilter) {
    TSetting setting;
    setting.SaveFilterIndex = 2;
    TSelDriveForm dialog(nullptr, &setting);
    QString shownFilter, shownSuffix;
    auto answer = [&](int filter, const QString& name) {
        QTimer::singleShot(0, [&, filter, name] {
            auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(files, nullptr);
            shownFilter = files->selectedNameFilter();
            shownSuffix = files->defaultSuffix();
            // As a user picks a type in the dialog's list.
            const QString chosen = files->nameFilters().value(filter - 1);
            files->selectNameFilter(chosen);
            emit files->filterSelected(chosen);
            auto* typed = files->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(typed, nullptr);
            typed->setText(name);
            static_cast<QDialog*>(files)->accept(); // as its Save button does
        });
        dialog.findChild<QPushButton*>("btnDstMore")->click();
    };

    answer(1, Path("first"));
    EXPECT_EQ(shownFilter, "All files (*.*)");
    EXPECT_EQ(shownSuffix, "");
    EXPECT_EQ(setting.SaveFilterIndex, 1);
    EXPECT_EQ(Output(dialog)->text(), Path("first.img"));

    answer(2, Path("second"));
    EXPECT_EQ(shownFilter, "Disk/Drive image files (*.img)");
    EXPECT_EQ(shownSuffix, "img");
    EXPECT_EQ(setting.SaveFilterIndex, 2);
    EXPECT_EQ(Output(dialog)->text(), Path("second"));
}

} // namespace
