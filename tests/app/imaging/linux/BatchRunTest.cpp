// Batch runs of the real main window over partitions of a loop disk the
// test attaches: the images, the statuses, the gauge, the questions
// answered for the rest of the run, a stop click (during an entry's copy
// and after it), a batch after a restore, an output on its own source, and
// entries added through the add dialog.
#include "../BatchWindowFixture.h"

#include "Command.h"
#include "DriveChoice.h"
#include "LogText.h"
#include "LoopDisk.h"
#include "SelDriveFrm.h"
#include "TempDir.h"
#include "host/HostQueries.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

using Answer = MessageService::Answer;
using testsupport::LoopDisk;
using testsupport::MustRun;
using testsupport::Quote;

constexpr uint64_t kMiB = 1 << 20;
const std::string kLayout = "label: dos\n,6M,L\n,6M,L\n,6M,L\n,40M,L\n";
const QString kExists = "Warning 1: A file named '%1' already exists. Overwrite it?";

class BatchRun : public BatchWindow {
  protected:
    void SetUp() override {
        if (const std::string why = testsupport::LoopDevicesUnavailable(); !why.empty())
            GTEST_SKIP() << why;
        BatchWindow::SetUp();
        disk = std::make_unique<LoopDisk>(m_dir / "disk.img", 64 * kMiB, kLayout);
        for (int number : {1, 2, 3, 4})
            MustRun("dd if=/dev/urandom of=" + Quote(disk->Partition(number)) +
                    " bs=1M status=none conv=fsync 2>/dev/null || true");
        form->btnDriveRefreshClick(); // the run maps names through the window's list
    }

    QString Name(int partition) const {
        return apptest::DisplayNameOf(*form, disk->Partition(partition));
    }
    void AddPartition(int partition, const QString& output) { AddRow(Name(partition), output); }

    std::string DiskHash() { return MustRun("sha256sum < " + Quote(disk->Device())); }

    bool ImageEquals(const QString& image, int partition) {
        MustRun("dd if=" + Quote(disk->Partition(partition)) +
                " of=" + Quote((m_dir / "expected").string()) + " bs=1M status=none");
        return testsupport::SameContent(m_dir / "expected", image.toStdString());
    }

    testsupport::TempDir m_dir;
    std::unique_ptr<LoopDisk> disk;
};

TEST_F(BatchRun, SkippedMiddleRowLeavesTheGaugeAndTheOthersCloned) {
    AddPartition(1, Path("one.img"));
    AddPartition(2, Path("two.img"));
    AddPartition(3, Path("three.img"));
    WriteFile(Path("two.img"), "keep me");
    int gaugeAtQuestion = -1;
    messages.onShow = [&](const ScriptedMessageService::Shown& shown) {
        if (shown.kind == "batch")
            gaugeAtQuestion = BatchGauge();
    };
    messages.answers = {Answer::No};

    Click("btnRepairFiles");

    EXPECT_EQ(messages.Texts("batch"), QStringList{kExists.arg("two.img")});
    EXPECT_EQ(Statuses(), (QStringList{"Successful", "Skipped", "Successful"}));
    EXPECT_EQ(gaugeAtQuestion, 33);
    EXPECT_EQ(gaugeValues, (QList<int>{33, 100}));
    EXPECT_EQ(Child<QLabel>("labBatchProgress")->text(), "100% completed");
    EXPECT_TRUE(ImageEquals(Path("one.img"), 1));
    EXPECT_EQ(ReadFile(Path("two.img")), "keep me");
    EXPECT_TRUE(ImageEquals(Path("three.img"), 3));
    EXPECT_EQ(messages.Texts("information"),
              QStringList{"2 drive(s) or disk(s) cloned successfully."});
    EXPECT_TRUE(messages.Texts("window").isEmpty()); // no success window per entry
    const QStringList log = form->LogLines();
    const QString skip = "Skip cloning '" + host::FileNamePart(Name(2)) + "'.";
    const qsizetype at = log.indexOf(skip);
    ASSERT_GT(at, 0) << log.join('\n').toStdString();
    EXPECT_EQ(log.mid(at - 2, 6), (QStringList{"", kSeparatorLine, skip, kSeparatorLine, "",
                                               "Start cloning process ..."}));
    EXPECT_EQ(log.mid(at - 5, 2),
              (QStringList{"6.00 MB in drive/disk '" + Name(1) +
                               "' have been cloned to the image file successfully!",
                           "0 bad source sectors encountered."}));
    EXPECT_EQ(log.last(), "2 drive(s) or disk(s) cloned successfully.");
}

TEST_F(BatchRun, YesToAllOverwritesLaterOutputsWithoutAsking) {
    for (int p : {1, 2, 3}) {
        WriteFile(Path(QString("p%1.img").arg(p)), "old");
        AddPartition(p, Path(QString("p%1.img").arg(p)));
    }
    messages.answers = {Answer::YesToAll};

    Click("btnRepairFiles");

    EXPECT_EQ(messages.Texts("batch"), QStringList{kExists.arg("p1.img")});
    EXPECT_EQ(Statuses(), QStringList(3, "Successful"));
    for (int p : {1, 2, 3})
        EXPECT_TRUE(ImageEquals(Path(QString("p%1.img").arg(p)), p)) << p;
}

// Two entries into one file: the second asks about the first's new image,
// unless the user already said Yes to All, then it overwrites it.
TEST_F(BatchRun, SecondEntryIntoTheSameOutputAsksAboutTheFirstsImage) {
    AddPartition(1, Path("same.img"));
    AddPartition(2, Path("same.img"));
    messages.answers = {Answer::No};
    Click("btnRepairFiles");
    EXPECT_EQ(messages.Texts("batch"), QStringList{kExists.arg("same.img")});
    EXPECT_EQ(Statuses(), (QStringList{"Successful", "Skipped"}));
    EXPECT_TRUE(ImageEquals(Path("same.img"), 1));

    messages.shown.clear();
    messages.answers = {Answer::YesToAll};
    Click("btnRepairFiles"); // now the file exists before the first entry
    EXPECT_EQ(messages.Texts("batch"), QStringList{kExists.arg("same.img")});
    EXPECT_EQ(Statuses(), (QStringList{"Successful", "Successful"}));
    EXPECT_TRUE(ImageEquals(Path("same.img"), 2));
}

TEST_F(BatchRun, StopClickAbortsTheRunningEntryAndEndsTheRun) {
    AddPartition(4, Path("big.img"));
    AddPartition(1, Path("after.img"));
    auto* stop = Child<QPushButton>("btnRepairFiles");
    QObject::connect(Child<QProgressBar>("Gauge"), &QProgressBar::valueChanged, stop,
                     [&](int value) {
                         if (value > 0 && value < 100 && stop->text() == "&Stop Cloning")
                             QTest::mouseClick(stop, Qt::LeftButton);
                     });

    Click("btnRepairFiles");

    EXPECT_EQ(Statuses(), (QStringList{"Aborted", "Not Cloned"}));
    EXPECT_FALSE(QFile::exists(Path("after.img")));
    EXPECT_EQ(gaugeValues, (QList<int>{50, 100}));
    const QStringList log = form->LogLines();
    EXPECT_TRUE(log.contains("User aborts the cloning process."));
    EXPECT_EQ(log.count("Start cloning process ..."), 1);
    EXPECT_EQ(messages.Texts("information"),
              QStringList{"0 drive(s) or disk(s) cloned successfully."});
    EXPECT_EQ(stop->text(), "&Start Cloning");
    EXPECT_TRUE(Child<QPushButton>("btnRepair")->isEnabled());
}

// The stop comes once the entry's copy has ended, while its log is being
// closed: the finished copy stands and counts, and the run still ends there.
TEST_F(BatchRun, StopAfterTheEntrysCopyEndedLeavesItSuccessful) {
    AddPartition(1, Path("one.img"));
    AddPartition(2, Path("two.img"));
    auto* stop = Child<QPushButton>("btnRepairFiles");
    bool stopClicked = false;
    QObject::connect(
        Child<QPlainTextEdit>("txtRepairLog"), &QPlainTextEdit::textChanged, stop, [&] {
            const QStringList lines = form->LogLines();
            if (stopClicked || lines.isEmpty() || lines.last() != "Cloning process completes.")
                return;
            stopClicked = true;
            QTest::mouseClick(stop, Qt::LeftButton);
        });

    Click("btnRepairFiles");

    ASSERT_TRUE(stopClicked);
    EXPECT_EQ(Statuses(), (QStringList{"Successful", "Not Cloned"}));
    EXPECT_TRUE(ImageEquals(Path("one.img"), 1));
    EXPECT_FALSE(QFile::exists(Path("two.img")));
    EXPECT_EQ(gaugeValues, (QList<int>{50, 100}));
    const QStringList log = form->LogLines();
    const qsizetype completes = log.indexOf("Cloning process completes.");
    ASSERT_GT(completes, 0) << log.join('\n').toStdString();
    EXPECT_EQ(log.mid(completes + 1, 2),
              (QStringList{kSeparatorLine, "User aborts the cloning process."}));
    EXPECT_EQ(log.count("Start cloning process ..."), 1);
    EXPECT_EQ(messages.Texts("information"),
              QStringList{"1 drive(s) or disk(s) cloned successfully."});
    EXPECT_EQ(log.last(), "1 drive(s) or disk(s) cloned successfully.");
}

// A restore turns the window's runs towards the drive; the batch started
// after it clones again and writes nothing onto the disk.
TEST_F(BatchRun, BatchAfterARestoreStillClones) {
    const QString image = Path("restore.img");
    MustRun("dd if=/dev/urandom of=" + Quote(image.toStdString()) + " bs=1M count=6 status=none");
    Click("btnRestoreTab");
    Child<TDragEdit>("txtRestoreSrcFile")->setText(image);
    apptest::ChooseDrive(*form, Child<QComboBox>("cmbRestoreDstDrives"), disk->Partition(3));
    Click("btnRestore"); // its overwrite question answered Yes
    ASSERT_TRUE(ImageEquals(image, 3)) << messages.Texts("information").join('\n').toStdString();
    messages.shown.clear();
    const std::string before = DiskHash();

    Click("btnBatchRepairTab");
    AddPartition(1, Path("one.img"));
    AddPartition(3, Path("three.img"));
    Click("btnRepairFiles");

    EXPECT_TRUE(messages.Texts("confirm").isEmpty());
    EXPECT_TRUE(messages.Texts("error").isEmpty());
    EXPECT_EQ(Statuses(), (QStringList{"Successful", "Successful"}));
    EXPECT_TRUE(ImageEquals(Path("one.img"), 1));
    EXPECT_TRUE(ImageEquals(Path("three.img"), 3));
    EXPECT_TRUE(testsupport::SameContent(image.toStdString(), Path("three.img").toStdString()));
    EXPECT_EQ(DiskHash(), before);
    EXPECT_EQ(messages.Texts("information"),
              QStringList{"2 drive(s) or disk(s) cloned successfully."});
}

TEST_F(BatchRun, OutputOnItsOwnSourceFailsAndTheRunGoesOn) {
    const auto mountPoint = disk->MountExt4(2, m_dir / "mnt");
    const QString onSource = QString::fromStdString((mountPoint / "image.img").string());
    form->btnDriveRefreshClick(); // the mounted partition is listed under its mount point
    AddRow(apptest::DisplayNameOf(*form, disk->Partition(2)), onSource);
    AddRow(apptest::DisplayNameOf(*form, disk->Device()), onSource);
    AddPartition(1, Path("one.img"));

    Click("btnRepairFiles");

    const QString refusal = "Error 1: Destination file 'image.img' cannot be outputted to the "
                            "source disk/drive, you must output it to another disk/drive!";
    EXPECT_EQ(messages.Texts("error"), (QStringList{refusal, refusal}));
    EXPECT_EQ(Statuses(), (QStringList{"Failed", "Failed", "Successful"}));
    EXPECT_FALSE(QFile::exists(onSource));
    EXPECT_TRUE(ImageEquals(Path("one.img"), 1));
    EXPECT_EQ(messages.Texts("information"),
              QStringList{"1 drive(s) or disk(s) cloned successfully."});
}

// A drive or disk typed as an entry's output is refused before any
// question and never written; the next entry is still cloned.
TEST_F(BatchRun, DriveAsOutputIsRefusedAndTheRunGoesOn) {
    MustRun("dd if=" + Quote(disk->Partition(3)) + " of=" + Quote((m_dir / "before").string()) +
            " bs=1M status=none");
    const QString node = QString::fromStdString(disk->Partition(3));
    AddPartition(1, node);
    AddPartition(2, Path("two.img"));

    Click("btnRepairFiles");

    const QString refusal = "'" + host::FileNamePart(node) +
                            "' is a drive or disk, not an image file. Use Restore to write an "
                            "image onto a drive or disk.";
    EXPECT_EQ(messages.Texts("error"), QStringList{refusal});
    EXPECT_TRUE(messages.Texts("batch").isEmpty());
    EXPECT_EQ(Statuses(), (QStringList{"Failed", "Successful"}));
    EXPECT_TRUE(ImageEquals(QString::fromStdString((m_dir / "before").string()), 3));
    EXPECT_TRUE(ImageEquals(Path("two.img"), 2));
    const QStringList log = form->LogLines();
    EXPECT_EQ(log.mid(5, 4), (QStringList{kSeparatorLine, refusal, kSeparatorLine, ""}));
}

// Closing the window during a batch, answered Yes: the running entry stops
// as on a stop click, no later entry starts, and nothing holds the close up.
TEST_F(BatchRun, CloseAnsweredYesStopsTheBatchAndCloses) {
    AddPartition(4, Path("big.img"));
    AddPartition(1, Path("after.img"));
    messages.answers = {Answer::Yes};
    bool closeAsked = false;
    QObject::connect(Child<QProgressBar>("Gauge"), &QProgressBar::valueChanged, form.get(),
                     [&](int value) {
                         if (value > 0 && value < 100 && !closeAsked) {
                             closeAsked = true;
                             EXPECT_FALSE(form->close());
                         }
                     });

    Click("btnRepairFiles");

    EXPECT_TRUE(QTest::qWaitFor([this] { return !form->isVisible(); }, 10000));
    EXPECT_EQ(messages.Texts("confirm"),
              QStringList{"A run is in progress. Stop it and close Tolvane?"});
    EXPECT_TRUE(messages.Texts("information").isEmpty());
    EXPECT_EQ(Statuses(), (QStringList{"Aborted", "Not Cloned"}));
    EXPECT_FALSE(QFile::exists(Path("after.img")));
    EXPECT_EQ(form->LogLines().last(), "0 drive(s) or disk(s) cloned successfully.");
    EXPECT_TRUE(testsupport::CanOpenExclusively(disk->Partition(4)));
}

// Entries through the add dialog, as a user adds them.
TEST_F(BatchRun, AddDialogAddsOnceAndRefusesTheSameDriveAgain) {
    auto add = [&](int partition, const QString& output) {
        messages.onShow = [&, partition, output](const ScriptedMessageService::Shown& shown) {
            if (shown.kind != "window")
                return;
            auto* dialog = form->findChild<TSelDriveForm*>();
            ASSERT_NE(dialog, nullptr);
            auto* ok = dialog->findChild<QPushButton*>("btnOK");
            EXPECT_FALSE(ok->isEnabled());
            apptest::ChooseDrive(*form, dialog->findChild<QComboBox*>("cmbSrcDrives"),
                                 disk->Partition(partition));
            dialog->findChild<QLineEdit*>("txtDstFile")->setText(output);
            ASSERT_TRUE(ok->isEnabled());
            ok->click();
        };
        Click("btnAddFiles");
    };
    add(1, Path("a.img"));
    add(1, Path("b.img"));
    add(2, Path("a.img"));

    EXPECT_EQ(messages.Texts("error"), QStringList{"Drive or disk already exists in the list!"});
    EXPECT_EQ(Column(0), (QStringList{Name(1), Name(2)}));
    EXPECT_EQ(Column(1), (QStringList{Path("a.img"), Path("a.img")}));
    EXPECT_EQ(Statuses(), (QStringList{"Not Cloned", "Not Cloned"}));
}

} // namespace
