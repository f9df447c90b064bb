// Restore runs of the real main window onto loop disks the tests attach:
// the disk afterwards, its partition nodes, the log, the questions, a
// mounted target, a stop click, closing the window mid-run and an image
// larger than the disk.
#include "../RestoreWindowFixture.h"

#include "Command.h"
#include "DriveChoice.h"
#include "LogText.h"
#include "LoopDisk.h"
#include "TempDir.h"

#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>

namespace {

using Answer = MessageService::Answer;
using testsupport::LoopDisk;
using testsupport::MustRun;
using testsupport::Quote;

constexpr uint64_t kMiB = 1 << 20;
const QString kWarning6 =
    "Warning 6: All data on destination disk/drive will be overwritten! Are you sure?";

class RestoreRun : public RestoreWindow {
  protected:
    void SetUp() override {
        if (const std::string why = testsupport::LoopDevicesUnavailable(); !why.empty())
            GTEST_SKIP() << why;
        RestoreWindow::SetUp();
    }

    // A disk image with a partition table of its own and random data in it.
    QString MakeImage(const char* name, uint64_t size, const std::string& layout) {
        const std::string path = (m_dir / name).string();
        MustRun("truncate -s " + std::to_string(size) + " " + Quote(path));
        MustRun("printf '%s' " + Quote(layout) + " | sfdisk -q " + Quote(path));
        MustRun("dd if=/dev/urandom of=" + Quote(path) + " bs=1M seek=1 count=" +
                std::to_string(size / kMiB - 1) + " conv=notrunc status=none");
        return QString::fromStdString(path);
    }

    // Attaches the target disk and chooses it on the page.
    QString ChooseTarget(uint64_t size, const std::string& layout) {
        disk = std::make_unique<LoopDisk>(m_dir / "target.img", size, layout);
        Click("btnRestoreDstRefresh");
        return apptest::ChooseDrive(*form, Child<QComboBox>("cmbRestoreDstDrives"), disk->Device());
    }

    std::string DeviceBytes(uint64_t count) {
        return MustRun("dd if=" + Quote(disk->Device()) +
                       " bs=1M count=" + std::to_string(count / kMiB) + " status=none | sha256sum");
    }
    std::string FileBytes(const QString& path) {
        return MustRun("sha256sum < " + Quote(path.toStdString()));
    }

    testsupport::TempDir m_dir;
    std::unique_ptr<LoopDisk> disk;
};

TEST_F(RestoreRun, WritesTheImageOntoAWholeDiskAndItsNewPartitions) {
    const QString image = MakeImage("two.img", 24 * kMiB, "label: dos\n,4M,L\n,12M,L\n");
    const QString target = ChooseTarget(32 * kMiB, "label: dos\n,20M,L\n");
    ASSERT_EQ(disk->PartitionNumbers(), std::vector<int>{1});
    SetImage(image);

    Click("btnRestore");

    EXPECT_EQ(messages.Texts("confirm"), QStringList{kWarning6});
    EXPECT_EQ(DeviceBytes(24 * kMiB), FileBytes(image));
    EXPECT_EQ(disk->PartitionNumbers(), (std::vector<int>{1, 2}));
    EXPECT_EQ(disk->PartitionSize(2), 12 * kMiB);
    const QString success =
        "24.00 MB in image file '" + image + "' have been restored to the disk/drive successfully!";
    const QStringList log = form->LogLines();
    ASSERT_EQ(log.size(), 11) << log.join('\n').toStdString();
    EXPECT_EQ(log.mid(0, 6),
              (QStringList{"Start restore process ...", kSeparatorLine,
                           "Source image file: '" + image + "'; Total size: 25,165,824 bytes",
                           "Restore to drive or disk: '" + target + "'", kSeparatorLine,
                           kSeparatorLine}));
    EXPECT_TRUE(
        QRegularExpression("^Consumed time: 0 day\\(s\\) 0 hour\\(s\\) 0 minute\\(s\\) \\d+ "
                           "second\\(s\\) \\d+ millisecond\\(s\\)\\.$")
            .match(log[6])
            .hasMatch())
        << log[6].toStdString();
    EXPECT_EQ(log.mid(7),
              (QStringList{kSeparatorLine, "Restore process completes.", kSeparatorLine, success}));
    EXPECT_EQ(messages.Texts("window"), QStringList{success});
    EXPECT_TRUE(messages.Texts("information").isEmpty());
    EXPECT_TRUE(Child<QLabel>("labCurStatInfo")->text().startsWith("24.00 MB restored. Speed: "))
        << Child<QLabel>("labCurStatInfo")->text().toStdString();
    EXPECT_TRUE(Child<QLabel>("labCurStatInfo")->text().endsWith("/min."));
    EXPECT_EQ(Child<QProgressBar>("Gauge")->value(), 100);
    EXPECT_EQ(Child<QPushButton>("btnRestore")->text(), "&Start Restore");

    // The log is shared: the Clone page shows the restore's.
    Click("btnRepairTab");
    EXPECT_TRUE(Child<QWidget>("txtRepairLog")->isVisible());
    EXPECT_EQ(form->LogLines().last(), success);
}

struct DeclineCase {
    const char* name;
    Answer answer; // Cancel: the question was closed without a choice
    friend void PrintTo(const DeclineCase& c, std::ostream* out) { *out << c.name; }
};

class DeclinedOverwrite : public RestoreRun, public ::testing::WithParamInterface<DeclineCase> {};

TEST_P(DeclinedOverwrite, WritesNothing) {
    const QString image = MakeImage("one.img", 8 * kMiB, "label: dos\n,4M,L\n");
    const QString target = ChooseTarget(16 * kMiB, "label: dos\n,12M,L\n");
    const std::string before = DeviceBytes(16 * kMiB);
    SetImage(image);
    messages.answers = {GetParam().answer};

    Click("btnRestore");

    const QString failed = "Fail to restore image data to '" + target + "'!";
    EXPECT_EQ(messages.Texts("confirm"), QStringList{kWarning6});
    EXPECT_EQ(messages.Texts("information"), QStringList{failed});
    EXPECT_EQ(DeviceBytes(16 * kMiB), before);
    const QStringList log = form->LogLines();
    ASSERT_EQ(log.size(), 11) << log.join('\n').toStdString();
    EXPECT_EQ(log.mid(7),
              (QStringList{kSeparatorLine, "Restore process completes.", kSeparatorLine, failed}));
}

INSTANTIATE_TEST_SUITE_P(Answers, DeclinedOverwrite,
                         ::testing::Values(DeclineCase{"No", Answer::No},
                                           DeclineCase{"ClosedWithoutChoice", Answer::Cancel}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(RestoreRun, MountedPartitionOnTheTargetStopsTheRunBeforeAnyWrite) {
    const QString image = MakeImage("one.img", 8 * kMiB, "label: dos\n,4M,L\n");
    const QString target = ChooseTarget(16 * kMiB, "label: dos\n,12M,L\n");
    disk->MountExt4(1, m_dir / "mnt");
    // The table and the gap before the partition: a write would change them.
    const std::string before = DeviceBytes(1 * kMiB);
    SetImage(image);

    Click("btnRestore");

    EXPECT_EQ(messages.Texts("information"),
              QStringList{"Fail to restore image data to '" + target + "'!"});
    EXPECT_TRUE(messages.Texts("window").isEmpty());
    EXPECT_EQ(DeviceBytes(1 * kMiB), before);
    EXPECT_FALSE(testsupport::CanOpenExclusively(disk->Device())) << "still mounted";
}

TEST_F(RestoreRun, StopClickEndsTheRunAsTheUsers) {
    const QString image = MakeImage("big.img", 64 * kMiB, "label: dos\n,32M,L\n");
    ChooseTarget(64 * kMiB, "");
    SetImage(image);
    auto* stop = Child<QPushButton>("btnRestore");
    QObject::connect(Child<QProgressBar>("Gauge"), &QProgressBar::valueChanged, stop,
                     [&](int value) {
                         if (value > 0 && value < 100 && stop->text() == "&Stop Restore")
                             QTest::mouseClick(stop, Qt::LeftButton);
                     });

    Click("btnRestore");

    EXPECT_EQ(messages.Texts("information"), QStringList{"User aborts the restore process"});
    EXPECT_EQ(form->LogLines().last(), "User aborts the restore process");
    EXPECT_TRUE(messages.Texts("window").isEmpty());
    EXPECT_EQ(stop->text(), "&Start Restore");
    EXPECT_TRUE(Child<QWidget>("txtRestoreSrcFile")->isEnabled());
}

// Closing the window during a restore, answered Yes: the run stops as the
// stop button stops it, the disk is released and the window goes.
TEST_F(RestoreRun, CloseAnsweredYesStopsTheRunAndCloses) {
    const QString image = MakeImage("big.img", 64 * kMiB, "label: dos\n,32M,L\n");
    ChooseTarget(64 * kMiB, "");
    SetImage(image);
    messages.answers = {Answer::Yes, Answer::Yes}; // Warning 6, then the close question
    bool closeAsked = false;
    QObject::connect(Child<QProgressBar>("Gauge"), &QProgressBar::valueChanged, form.get(),
                     [&](int value) {
                         if (value > 0 && value < 100 && !closeAsked) {
                             closeAsked = true;
                             EXPECT_FALSE(form->close());
                         }
                     });

    Click("btnRestore");
    const bool closed = QTest::qWaitFor([&] { return !form->isVisible(); }, 10000);
    const bool diskFree = testsupport::CanOpenExclusively(disk->Device());

    EXPECT_TRUE(closed);
    EXPECT_TRUE(diskFree);
    EXPECT_EQ(messages.Texts("confirm"),
              (QStringList{kWarning6, "A run is in progress. Stop it and close Tolvane?"}));
    EXPECT_TRUE(messages.Texts("information").isEmpty());
    EXPECT_EQ(form->LogLines().last(), "User aborts the restore process");
}

// The engine returns 1 once anything was written: the cut-off write at the
// disk's end must still read as a failure.
TEST_F(RestoreRun, ImageLargerThanTheDiskFails) {
    const QString image = MakeImage("large.img", 24 * kMiB, "label: dos\n,20M,L\n");
    const QString target = ChooseTarget(16 * kMiB, "");
    SetImage(image);

    Click("btnRestore");

    const QString failed = "Fail to restore image data to '" + target + "'!";
    const QStringList shown = messages.Texts("information");
    ASSERT_EQ(shown.size(), 2) << shown.join('\n').toStdString();
    EXPECT_TRUE(shown[0].startsWith("Error ")) << shown[0].toStdString();
    EXPECT_EQ(shown[1], failed);
    EXPECT_TRUE(messages.Texts("window").isEmpty()) << "a cut restore was called a success";
    EXPECT_EQ(form->LogLines().last(), failed);
}

} // namespace
