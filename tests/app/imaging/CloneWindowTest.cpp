// The Clone page of the real main window: the checks and questions before
// a run, the hand-off of the engine's messages, the log and its saving, the
// settings and the command line. Runs on real devices are in linux/.
#include "CloneWindowFixture.h"

#include "LogText.h"
#include "MainThread.h"
#include "SettingsStore.h"
#include "vorlik/Vorlik.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMap>
#include <QMetaObject>
#include <QProgressBar>
#include <QSpinBox>
#include <atomic>
#include <thread>

namespace {

using Answer = MessageService::Answer;

TEST_F(CloneWindow, RefusesToStartWithoutSourceOrOutput) {
    Click("btnRepair");
    SetSource("Hard disk 99");
    Click("btnRepair");
    EXPECT_EQ(messages.Texts("information"),
              (QStringList{"Please select drive or disk to be cloned!",
                           "Please input the output image file name!"}));
    EXPECT_TRUE(form->LogLines().isEmpty());
}

struct DeclinedCase {
    const char* name;
    const char* output; // relative to the test folder
    bool outputExists;
    QString question;
    friend void PrintTo(const DeclinedCase& c, std::ostream* out) { *out << c.name; }
};

class DeclinedWarning : public CloneWindow, public ::testing::WithParamInterface<DeclinedCase> {};

TEST_P(DeclinedWarning, LogsTheHeaderAndOneAbortLine) {
    const DeclinedCase& c = GetParam();
    const QString output = Path(c.output);
    if (c.outputExists)
        WriteFile(output, "old");
    SetSource("Hard disk 99");
    SetOutput(output);
    messages.answers = {Answer::No};

    Click("btnRepair");

    EXPECT_EQ(messages.Texts("confirm"), QStringList{c.question.arg(QFileInfo(output).fileName())});
    EXPECT_EQ(form->LogLines(),
              (QStringList{"Start cloning process ...", kSeparatorLine,
                           "Drive or disk to be cloned: 'Hard disk 99'; Total size: 0 bytes",
                           "Output image file as: '" + output + "'", kSeparatorLine,
                           "Abort cloning 'Hard disk 99'."}));
    EXPECT_EQ(Child<QPushButton>("btnRepair")->text(), "&Start Cloning");
    EXPECT_TRUE(Child<QLineEdit>("txtDstFile")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Warnings, DeclinedWarning,
    ::testing::Values(
        DeclinedCase{"InvalidExtension", "image.bin", false,
                     "Warning 2: Extension of destination file '%1' is invalid! Still proceed?"},
        DeclinedCase{"ExistingFile", "image.img", true,
                     "Warning 1: A file named '%1' already exists. Overwrite it?"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(CloneWindow, MissingFolderChainIsCreatedOnYes) {
    const QString output = Path("a/b/c/image.img");
    SetSource("Hard disk 99");
    SetOutput(output);
    messages.answers = {Answer::Yes};

    Click("btnRepair");

    ASSERT_EQ(messages.Texts("confirm").size(), 1);
    EXPECT_EQ(messages.Texts("confirm")[0],
              "Warning 4: The path '" + Path("a/b/c") +
                  "' for destination file 'image.img' does not exist. Create it?");
    EXPECT_TRUE(QDir(Path("a/b/c")).exists());
    // The name is no drive of the list: the run itself fails.
    EXPECT_EQ(messages.Texts("information"), QStringList{"Fail to clone 'Hard disk 99'!"});
    EXPECT_EQ(form->LogLines().last(), "Fail to clone 'Hard disk 99'!");
}

// Escape or the close button: the question is answered No and nothing is
// written.
TEST_F(CloneWindow, ClosingAQuestionAnswersNo) {
    SetSource("Hard disk 99");
    SetOutput(Path("image.bin"));
    messages.answers = {Answer::Cancel};

    Click("btnRepair");

    EXPECT_TRUE(messages.Texts("information").isEmpty());
    EXPECT_EQ(form->LogLines().last(), "Abort cloning 'Hard disk 99'.");
}

// Hands messages to the window from a worker thread, as the engine's
// callback does, while the window thread keeps handling events.
void FromWorker(std::function<void()> work) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
}

TEST_F(CloneWindow, EngineMessagesReachTheWindowInOrderWhileTheWorkerWaits) {
    auto* progress = Child<QLabel>("labProgress");
    auto* speed = Child<QLabel>("labCurStatInfo");
    QStringList seen;
    auto look = [&] {
        QMetaObject::invokeMethod(
            progress, [&] { seen << progress->text(); }, Qt::BlockingQueuedConnection);
    };
    FromWorker([&] {
        uint8_t percent = 5;
        form->SendEngineMessage(JOBMSG_PROGRESS, reinterpret_cast<uintptr_t>(&percent));
        look();
        QMetaObject::invokeMethod(
            progress, [&] { progress->setText("untouched"); }, Qt::BlockingQueuedConnection);
        form->SendEngineMessage(JOBMSG_PROGRESS, reinterpret_cast<uintptr_t>(&percent));
        look();
        percent = 7;
        form->SendEngineMessage(JOBMSG_PROGRESS, reinterpret_cast<uintptr_t>(&percent));
        look();
        for (const char16_t* text : {u"first", u"second"})
            form->SendEngineMessage(JOBMSG_LOG_TEXT, reinterpret_cast<uintptr_t>(text));
        form->SendEngineMessage(JOBMSG_SOURCE, reinterpret_cast<uintptr_t>(u"/dev/x"));
        // The value lives on the worker's stack: it must be read before the
        // send returns.
        uint64_t bytes = 3ull << 30;
        form->SendEngineMessage(JOBMSG_BYTES_DONE, reinterpret_cast<uintptr_t>(&bytes));
        bytes = 0;
    });

    EXPECT_EQ(seen, (QStringList{"5% completed", "untouched", "7% completed"}));
    EXPECT_EQ(Child<QProgressBar>("Gauge")->value(), 7);
    EXPECT_EQ(form->LogLines(), (QStringList{kSeparatorLine, "first", kSeparatorLine,
                                             kSeparatorLine, "second", kSeparatorLine}));
    EXPECT_TRUE(speed->text().startsWith("3.00 GB cloned. Speed: ")) << speed->text().toStdString();
}

TEST_F(CloneWindow, AThreadWithoutWindowRunsItsJobSilently) {
    WriteFile(Path("source.bin"), QByteArray(3 * 512 * 1024 + 5, 'z'));
    TMainThread thread(nullptr, Path("source.bin"), Path("copy.img"));
    thread.start();
    ASSERT_TRUE(thread.wait(QDeadlineTimer(60000)));

    EXPECT_EQ(thread.IsSuccessful(), 1);
    EXPECT_EQ(ReadFile(Path("copy.img")), ReadFile(Path("source.bin")));
    EXPECT_TRUE(form->LogLines().isEmpty());
}

TEST_F(CloneWindow, SavesTheLogWithAndWithoutSystemInformation) {
    form->AppendLog("first line");
    form->AppendLog("second line");
    Child<QSpinBox>("txtReplaceData")->setValue(77);

    ASSERT_TRUE(form->SaveLogFile(Path("plain.log"), false));
    ASSERT_TRUE(form->SaveLogFile(Path("full.log"), true));

    EXPECT_EQ(ReadFile(Path("plain.log")), "first line\r\nsecond line\r\n");
    const QStringList full = QString::fromUtf8(ReadFile(Path("full.log"))).split("\r\n");
    ASSERT_GE(full.size(), 12);
    EXPECT_EQ(
        full.mid(0, 3),
        (QStringList{kSeparatorLine, "Version, system and setting information:", kSeparatorLine}));
    const qsizetype settings = full.indexOf("Setting Information:");
    ASSERT_GT(settings, 3);
    EXPECT_EQ(
        full.mid(settings + 1, 6),
        (QStringList{"Replace damaged data with: 77",
                     "Dire&ctory for temporary files: " + Child<QLineEdit>("txtTempDir")->text(),
                     "I&nternal Processing Buffer Size: 512", kSeparatorLine,
                     "End of Setting Information", kSeparatorLine}));
    EXPECT_EQ(full.mid(settings + 7),
              (QStringList{"", "", kSeparatorLine, "Log:", kSeparatorLine, "first line",
                           "second line", kSeparatorLine, ""}));
}

TEST_F(CloneWindow, EmptyLogWithSystemInformationKeepsItsFrame) {
    ASSERT_TRUE(form->SaveLogFile(Path("empty.log"), true));
    EXPECT_TRUE(ReadFile(Path("empty.log"))
                    .endsWith(QByteArray(kSeparatorLine) + "\r\nLog:\r\n" + kSeparatorLine +
                              "\r\n" + kSeparatorLine + "\r\n"));
}

TEST_F(CloneWindow, OptionsAreStoredOnExitAndBackAtTheNextStart) {
    Child<QSpinBox>("txtReplaceData")->setValue(255);
    Child<QSpinBox>("txtBufSize")->setValue(4096);
    Child<QLineEdit>("txtTempDir")->setText("/var/tmp/tolvane");
    Child<QCheckBox>("chkAutoUpdate")->setChecked(false);
    form.reset();

    const auto stored = config.Open(ProgramName());
    EXPECT_EQ(stored->value("Misc/ReplaceData").toInt(), 255);
    EXPECT_EQ(stored->value("Misc/BufSize").toInt(), 4096);
    EXPECT_EQ(stored->value("Misc/TempDir").toString(), "/var/tmp/tolvane");
    EXPECT_EQ(stored->value("Misc/AutoUpdate").toString(), "0");

    form = std::make_unique<TMainForm>(messages);
    EXPECT_EQ(Child<QSpinBox>("txtReplaceData")->value(), 255);
    EXPECT_EQ(Child<QSpinBox>("txtBufSize")->value(), 4096);
    EXPECT_EQ(Child<QLineEdit>("txtTempDir")->text(), "/var/tmp/tolvane");
    EXPECT_FALSE(Child<QCheckBox>("chkAutoUpdate")->isChecked());
}

TEST_F(CloneWindow, CommandLineFileStartsARunThatAsksForTheOutput) {
    WriteFile(Path("disk.img"), "x");

    EXPECT_TRUE(form->RunCommandLine({Path("disk.img"), "-e"}));
    EXPECT_FALSE(form->RunCommandLine({Path("disk.img")}));
    EXPECT_EQ(messages.Texts("information"),
              (QStringList{"Please input the output image file name!",
                           "Please input the output image file name!"}));
    EXPECT_EQ(Child<TDragEdit>("txtSrcFile")->text(), Path("disk.img"));

    EXPECT_FALSE(form->RunCommandLine({"-E", Path("missing.img")}));
    EXPECT_EQ(messages.Texts("error"),
              QStringList{"Cannot open file '" + Path("missing.img") + "'!"});
}

TEST_F(CloneWindow, PagesSwitchWithTheirButtons) {
    Click("btnOptionsTab");
    EXPECT_TRUE(Child<QWidget>("palOptionsTab")->isVisible());
    EXPECT_FALSE(Child<QWidget>("palRepairTab")->isVisible());
    Click("btnAdvOptionsSubTab");
    EXPECT_TRUE(Child<QWidget>("palAdvOptionsSubTab")->isVisible());
    Click("btnAboutTab");
    EXPECT_FALSE(Child<QWidget>("palLeftFooter")->isVisible());
    EXPECT_EQ(Child<QLabel>("labVersion")->text(), TOLVANE_EXPECTED_VERSION);
    Click("btnOptionsTab"); // the advanced sub-page is still the chosen one
    EXPECT_TRUE(Child<QWidget>("palAdvOptionsSubTab")->isVisible());
    Click("btnRepairTab");
    EXPECT_TRUE(Child<QWidget>("palRepairTab")->isVisible());
    EXPECT_TRUE(Child<QWidget>("btnFeedback")->isVisible());
}

// The letter after a single "&", lower-cased; none when the text has no
// accelerator.
QChar AcceleratorOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return text[i + 1].toLower();
        ++i; // "&&" is a literal ampersand
    }
    return {};
}

// Every accelerator the user can reach on the page shown now: buttons, and
// labels that lead to a control.
QMap<QChar, QStringList> VisibleAccelerators(const QWidget& window) {
    QMap<QChar, QStringList> owners;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (button->isVisible() && !AcceleratorOf(button->text()).isNull())
            owners[AcceleratorOf(button->text())] << button->objectName();
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->isVisible() && label->buddy() && !AcceleratorOf(label->text()).isNull())
            owners[AcceleratorOf(label->text())] << label->objectName();
    return owners;
}

// A letter shared by two visible controls only moves the focus between them,
// so the keyboard could not reach either one with it.
TEST_F(CloneWindow, EveryPagesAcceleratorsAreUnique) {
    for (const char* page : {"btnRepairTab", "btnBatchRepairTab", "btnRestoreTab", "btnOptionsTab",
                             "btnAdvOptionsSubTab", "btnAboutTab"}) {
        Click(page);
        const QMap<QChar, QStringList> owners = VisibleAccelerators(*form);
        EXPECT_FALSE(owners.isEmpty()) << page;
        for (auto owner = owners.cbegin(); owner != owners.cend(); ++owner)
            EXPECT_EQ(owner.value().size(), 1)
                << page << ": Alt+" << QString(owner.key()).toStdString() << " on "
                << owner.value().join(", ").toStdString();
    }
}

} // namespace
