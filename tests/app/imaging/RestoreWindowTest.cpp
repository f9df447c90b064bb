// The Restore page of the real main window: its controls, the refusals
// before a run, the run that cannot find its target, and the log it shares
// with the Clone page. Runs onto real disks are in linux/.
#include "RestoreWindowFixture.h"

#include "LogText.h"

#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMimeData>
#include <QRegularExpression>
#include <QTimer>

namespace {

struct RefusalCase {
    const char* name;
    const char* image; // relative to the test folder; "" for none, "?" for blanks only
    bool imageIsFolder;
    bool writeImage;
    const char* target;
    const char* refusal;
    friend void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }
};

class RestoreRefusal : public RestoreWindow, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RestoreRefusal, LeavesTheLogTheButtonAndTheControlsAsTheyWere) {
    const RefusalCase& c = GetParam();
    const QString image = QString(c.image) == "?" ? "   " : c.image[0] ? Path(c.image) : "";
    if (c.imageIsFolder) {
        ASSERT_TRUE(QDir().mkpath(image));
    }
    if (c.writeImage) {
        WriteFile(image, QByteArray(4096, 'i'));
    }
    SetImage(image);
    SetTarget(c.target);
    form->AppendLog("an earlier run's line");
    const PageState before = State();

    Click("btnRestore");

    EXPECT_EQ(messages.Texts("information"), QStringList{c.refusal});
    EXPECT_TRUE(messages.Texts("confirm").isEmpty());
    EXPECT_EQ(State(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RestoreRefusal,
    ::testing::Values(
        RefusalCase{"NoImage", "", false, false, "Hard disk 99",
                    "Please select source image file!"},
        RefusalCase{"BlanksOnly", "?", false, false, "Hard disk 99",
                    "Please select source image file!"},
        RefusalCase{"MissingImage", "gone.img", false, false, "Hard disk 99",
                    "'gone.img' does not exist! Please select an existing image file!"},
        RefusalCase{"FolderAsImage", "folder.img", true, false, "Hard disk 99",
                    "'folder.img' does not exist! Please select an existing image file!"},
        RefusalCase{"NoTarget", "disk.img", false, true, " ",
                    "Please select target drive or disk!"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(RestoreWindow, TargetNoLongerListedFailsAfterTheWholeLog) {
    WriteFile(Path("disk.img"), QByteArray(4096, 'i'));
    SetImage(Path("disk.img"));
    SetTarget("Hard disk 99  (1.00 GB)");

    Click("btnRestore");

    EXPECT_TRUE(messages.Texts("confirm").isEmpty()); // no target, no question
    const QString failed = "Fail to restore image data to 'Hard disk 99  (1.00 GB)'!";
    EXPECT_EQ(messages.Texts("information"), QStringList{failed});
    const QStringList log = form->LogLines();
    ASSERT_EQ(log.size(), 11) << log.join('\n').toStdString();
    EXPECT_EQ(log.mid(0, 6),
              (QStringList{"Start restore process ...", kSeparatorLine,
                           "Source image file: '" + Path("disk.img") + "'; Total size: 4,096 bytes",
                           "Restore to drive or disk: 'Hard disk 99  (1.00 GB)'", kSeparatorLine,
                           kSeparatorLine}));
    EXPECT_TRUE(
        QRegularExpression("^Consumed time: 0 day\\(s\\) 0 hour\\(s\\) 0 minute\\(s\\) \\d+ "
                           "second\\(s\\) \\d+ millisecond\\(s\\)\\.$")
            .match(log[6])
            .hasMatch())
        << log[6].toStdString();
    EXPECT_EQ(log.mid(7),
              (QStringList{kSeparatorLine, "Restore process completes.", kSeparatorLine, failed}));
    EXPECT_EQ(Child<QPushButton>("btnRestore")->text(), "&Start Restore");
    EXPECT_TRUE(Child<QWidget>("txtRestoreSrcFile")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>("btnRepairFiles")->isEnabled());
}

TEST_F(RestoreWindow, BothPagesShowTheOneLogAndProgressPanel) {
    auto* log = Child<QPlainTextEdit>("txtRepairLog");
    auto* progress = Child<QWidget>("palProgress");
    form->AppendLog("restore line");
    EXPECT_TRUE(Child<QWidget>("palRestoreTab")->isAncestorOf(log));
    EXPECT_TRUE(Child<QWidget>("palRestoreTab")->isAncestorOf(Child<QWidget>("btnSaveLog")));
    EXPECT_TRUE(log->isVisible());
    EXPECT_TRUE(progress->isVisible());
    EXPECT_FALSE(Child<QWidget>("palRepairTab")->isVisible());

    Click("btnRepairTab");

    EXPECT_TRUE(Child<QWidget>("palRepairTab")->isAncestorOf(log));
    EXPECT_TRUE(Child<QWidget>("palRepairTab")->isAncestorOf(progress));
    EXPECT_TRUE(log->isVisible());
    EXPECT_FALSE(Child<QWidget>("palRestoreTab")->isVisible());
    EXPECT_EQ(form->LogLines(), QStringList{"restore line"});
}

TEST_F(RestoreWindow, HelpButtonIsHiddenOnEveryPage) {
    for (const char* page :
         {"btnRepairTab", "btnBatchRepairTab", "btnRestoreTab", "btnOptionsTab", "btnAboutTab"}) {
        Click(page);
        EXPECT_FALSE(Child<QWidget>("btnHelp")->isVisible()) << page;
    }
}

TEST_F(RestoreWindow, RestorePageKeepsTheFooterLinksAfterTheAboutPage) {
    Click("btnAboutTab");
    Click("btnRestoreTab");
    EXPECT_TRUE(Child<QWidget>("btnFacebookLike")->isVisible());
    EXPECT_TRUE(Child<QWidget>("btnFeedback")->isVisible());
    EXPECT_TRUE(Child<QPushButton>("btnRestoreTab")->isChecked());
}

TEST_F(RestoreWindow, DroppedFilesReplaceTheSourceWithTheFirstOne) {
    auto* source = Child<TDragEdit>("txtRestoreSrcFile");
    source->setText("typed.img");
    ASSERT_TRUE(source->acceptDrops());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path("first.img")), QUrl::fromLocalFile(Path("second.img"))});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);

    // Straight to the edit, as the drag manager delivers a drop.
    static_cast<QObject*>(source)->event(&drop);

    EXPECT_EQ(source->text(), Path("first.img"));
}

TEST_F(RestoreWindow, BrowsingOffersImagesAndTakesTheChosenFile) {
    WriteFile(Path("chosen.img"), "x");
    auto* dialog = form->findChild<QFileDialog*>("RestoreOpenDialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->nameFilters(),
              (QStringList{"Disk/Drive image files (*.img)", "All files (*.*)"}));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    QTimer::singleShot(0, dialog, [&] {
        dialog->selectFile(Path("chosen.img"));
        static_cast<QDialog*>(dialog)->accept(); // as the dialog's Open button does
    });

    Click("btnRestoreSrcMore");

    EXPECT_EQ(Child<TDragEdit>("txtRestoreSrcFile")->text(), Path("chosen.img"));
}

// The search window is shown and closed without Add Selected.
TEST_F(RestoreWindow, SearchButtonLeavesTheSourceAsItWas) {
    SetImage(Path("typed.img"));
    Click("btnRestoreSrcSearch");
    EXPECT_EQ(Child<TDragEdit>("txtRestoreSrcFile")->text(), Path("typed.img"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, "window");
}

} // namespace
