// Clone runs of the real main window on loop devices the tests attach:
// the image, the log, the displays, a stop click, an engine failure, the
// refusal of an output on its own source or on a device, and closing the
// window during a run.
#include "../CloneWindowFixture.h"

#include "Command.h"
#include "LogText.h"
#include "LoopDisk.h"
#include "SpecUtils.h"
#include "TempDir.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/file.h>
#include <unistd.h>

namespace {

using Answer = MessageService::Answer;
using testsupport::LoopDisk;
using testsupport::MustRun;
using testsupport::Quote;

constexpr uint64_t kMiB = 1 << 20;
const std::string kLayout = "label: dos\n,8M,L\n,48M,L\n";

class CloneRun : public CloneWindow {
  protected:
    void SetUp() override {
        if (const std::string why = testsupport::LoopDevicesUnavailable(); !why.empty())
            GTEST_SKIP() << why;
        CloneWindow::SetUp();
        disk = std::make_unique<LoopDisk>(m_dir / "disk.img", 64 * kMiB, kLayout);
        // Patterned data on both partitions, so that the image says where it came from.
        for (int number : {1, 2})
            MustRun("dd if=/dev/urandom of=" + Quote(disk->Partition(number)) +
                    " bs=1M status=none conv=fsync 2>/dev/null || true");
    }

    // Picks the list entry of a device in the source drop-down.
    QString ChooseSource(const std::string& device) {
        Click("btnSrcRefresh");
        TDriveList list;
        EnumDrivesAndDisks(list);
        const qsizetype index = list.InternalNames.indexOf(QString::fromStdString(device));
        EXPECT_GE(index, 0) << device << " is not listed";
        const QString display = index >= 0 ? list.DisplayNames[index] : QString();
        auto* drives = Child<QComboBox>("cmbSrcDrives");
        drives->setCurrentIndex(drives->findText(display));
        EXPECT_EQ(drives->currentText(), display);
        return display;
    }

    bool ImageEquals(const QString& image, const std::string& device) {
        MustRun("dd if=" + Quote(device) + " of=" + Quote((m_dir / "expected").string()) +
                " bs=1M status=none");
        return testsupport::SameContent(m_dir / "expected", image.toStdString());
    }

    testsupport::TempDir m_dir;
    std::unique_ptr<LoopDisk> disk;
};

TEST_F(CloneRun, ClonesAPartitionIntoAnImage) {
    const QString source = ChooseSource(disk->Partition(1));
    const QString output = Path("part1.img");
    SetOutput(output);

    Click("btnRepair");

    EXPECT_TRUE(ImageEquals(output, disk->Partition(1)));
    const QStringList log = form->LogLines();
    ASSERT_EQ(log.size(), 12) << log.join('\n').toStdString();
    EXPECT_EQ(
        log.mid(0, 6),
        (QStringList{"Start cloning process ...", kSeparatorLine,
                     "Drive or disk to be cloned: '" + GetBareDisplayName(source) +
                         "'; Total size: 8,388,608 bytes",
                     "Output image file as: '" + output + "'", kSeparatorLine, kSeparatorLine}));
    EXPECT_TRUE(
        QRegularExpression("^Consumed time: 0 day\\(s\\) 0 hour\\(s\\) 0 minute\\(s\\) \\d+ "
                           "second\\(s\\) \\d+ millisecond\\(s\\)\\.$")
            .match(log[6])
            .hasMatch())
        << log[6].toStdString();
    EXPECT_EQ(log.mid(7), (QStringList{kSeparatorLine, "Cloning process completes.", kSeparatorLine,
                                       "8.00 MB in drive/disk '" + source +
                                           "' have been cloned to the image file successfully!",
                                       "0 bad source sectors encountered."}));
    EXPECT_EQ(messages.Texts("window"),
              QStringList{"8.00 MB in drive/disk '" + source +
                          "' have been cloned to the image file successfully!<BR>0 bad source "
                          "sectors encountered."});
    EXPECT_EQ(Child<QProgressBar>("Gauge")->value(), 100);
    EXPECT_EQ(Child<QLabel>("labProgress")->text(), "100% completed");
    EXPECT_TRUE(Child<QLabel>("labCurStatInfo")->text().startsWith("8.00 MB cloned. Speed: "));
    EXPECT_EQ(Child<QPushButton>("btnRepair")->text(), "&Start Cloning");
    EXPECT_TRUE(Child<QComboBox>("cmbSrcDrives")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>("btnRepairFiles")->isEnabled());
}

TEST_F(CloneRun, StopClickEndsTheRunAsAborted) {
    ChooseSource(disk->Partition(2));
    SetOutput(Path("part2.img"));
    auto* stop = Child<QPushButton>("btnRepair");
    QObject::connect(Child<QProgressBar>("Gauge"), &QProgressBar::valueChanged, stop,
                     [&](int value) {
                         if (value > 0 && value < 100 && stop->text() == "&Stop Cloning")
                             QTest::mouseClick(stop, Qt::LeftButton);
                     });

    Click("btnRepair");

    EXPECT_EQ(messages.Texts("information"), QStringList{"User aborts the cloning process."});
    EXPECT_EQ(form->LogLines().last(), "User aborts the cloning process.");
    EXPECT_EQ(Child<QLabel>("labCurStatInfo")->text(), "0.00 KB cloned. Speed: 0.00 KB/min.");
    EXPECT_EQ(stop->text(), "&Start Cloning");
    EXPECT_TRUE(Child<QLineEdit>("txtDstFile")->isEnabled());
}

TEST_F(CloneRun, EngineFailureIsLoggedShownAndReported) {
    const QString source = ChooseSource(disk->Partition(1));
    QDir().mkpath(Path("taken.img")); // a folder where the image should go
    SetOutput(Path("taken.img"));

    Click("btnRepair");

    const QString failure = "Error 4: Cannot create the destination file. Access to " +
                            Path("taken.img") + " was denied.";
    EXPECT_EQ(messages.Texts("information"),
              (QStringList{failure, "Fail to clone '" + source + "'!"}));
    const QStringList log = form->LogLines();
    EXPECT_EQ(log.mid(5, 3), (QStringList{kSeparatorLine, failure, kSeparatorLine}));
    EXPECT_EQ(log.last(), "Fail to clone '" + source + "'!");
}

struct OnSourceCase {
    const char* name;
    bool wholeDisk;
    friend void PrintTo(const OnSourceCase& c, std::ostream* out) { *out << c.name; }
};

class OutputOnSource : public CloneRun, public ::testing::WithParamInterface<OnSourceCase> {};

TEST_P(OutputOnSource, IsRefusedBeforeAnyJobStarts) {
    const auto mountPoint = disk->MountExt4(2, m_dir / "mnt");
    ChooseSource(GetParam().wholeDisk ? disk->Device() : disk->Partition(2));
    const QString output = QString::fromStdString((mountPoint / "image.img").string());
    SetOutput(output);

    Click("btnRepair");

    const QString refusal = "Error 1: Destination file 'image.img' cannot be outputted to the "
                            "source disk/drive, you must output it to another disk/drive!";
    EXPECT_EQ(messages.Texts("error"), QStringList{refusal});
    EXPECT_EQ(form->LogLines().mid(5, 3), (QStringList{kSeparatorLine, refusal, kSeparatorLine}));
    EXPECT_TRUE(messages.Texts("information").last().startsWith("Fail to clone '"));
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_TRUE(Child<QLabel>("labCurStatInfo")->text().isEmpty()); // no job ran
}

INSTANTIATE_TEST_SUITE_P(Sources, OutputOnSource,
                         ::testing::Values(OnSourceCase{"Partition", false},
                                           OnSourceCase{"WholeDisk", true}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

// An output that names a drive or disk is refused before any question, and
// the device keeps every byte.
struct DeviceOutputCase {
    const char* name;
    bool throughLink;
    friend void PrintTo(const DeviceOutputCase& c, std::ostream* out) { *out << c.name; }
};

class DeviceOutput : public CloneRun, public ::testing::WithParamInterface<DeviceOutputCase> {};

TEST_P(DeviceOutput, IsRefusedBeforeAnyQuestion) {
    ChooseSource(disk->Partition(1));
    const auto before = m_dir / "before.img";
    std::filesystem::copy_file(disk->BackingFile(), before);
    QString output = QString::fromStdString(disk->Device());
    if (GetParam().throughLink) {
        output = Path("disk-link");
        ASSERT_TRUE(QFile::link(QString::fromStdString(disk->Device()), output));
    }
    SetOutput(output);

    Click("btnRepair");

    const QString refusal = "'" + QFileInfo(output).fileName() +
                            "' is a drive or disk, not an image file. Use Restore to write an "
                            "image onto a drive or disk.";
    EXPECT_EQ(messages.Texts("error"), QStringList{refusal});
    EXPECT_TRUE(messages.Texts("confirm").isEmpty());
    const QStringList log = form->LogLines();
    ASSERT_EQ(log.size(), 9) << log.join('\n').toStdString();
    EXPECT_EQ(log.mid(5, 3), (QStringList{kSeparatorLine, refusal, kSeparatorLine}));
    EXPECT_TRUE(log[8].startsWith("Abort cloning '")) << log[8].toStdString();
    EXPECT_TRUE(Child<QLabel>("labCurStatInfo")->text().isEmpty()); // no job ran
    EXPECT_TRUE(testsupport::SameContent(before, disk->BackingFile()));
    EXPECT_TRUE(testsupport::CanOpenExclusively(disk->Device()));
}

INSTANTIATE_TEST_SUITE_P(Outputs, DeviceOutput,
                         ::testing::Values(DeviceOutputCase{"Node", false},
                                           DeviceOutputCase{"Link", true}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

// A character device takes an image as a file does.
TEST_F(CloneRun, DevNullAsTheOutputStillWorks) {
    const QString source = ChooseSource(disk->Partition(1));
    SetOutput("/dev/null");

    Click("btnRepair");

    EXPECT_TRUE(messages.Texts("error").isEmpty());
    EXPECT_EQ(messages.Texts("window"),
              QStringList{"8.00 MB in drive/disk '" + source +
                          "' have been cloned to the image file successfully!<BR>0 bad source "
                          "sectors encountered."});
}

// Closing the window during a run: the question, and what each answer does.
class CloseDuringRun : public CloneRun {
  protected:
    // Asks the window to close once, while the copy is under way.
    void CloseMidRun(std::function<void()> close) {
        QObject::connect(Child<QProgressBar>("Gauge"), &QProgressBar::valueChanged, form.get(),
                         [this, close](int value) {
                             if (value > 0 && value < 100 && !m_closeAsked) {
                                 m_closeAsked = true;
                                 close();
                             }
                         });
    }

    // Waits for the window to go, then sees at once whether the source and
    // the image are free.
    void WaitForTheEnd(const QString& image) {
        m_ended = QTest::qWaitFor([this] { return !form->isVisible(); }, 10000);
        m_sourceFree = testsupport::CanOpenExclusively(disk->Partition(2));
        m_imageFree = CanLockExclusively(image);
    }

    static bool CanLockExclusively(const QString& file) {
        const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        return locked;
    }

    const QString kQuestion = "A run is in progress. Stop it and close Tolvane?";
    bool m_closeAsked = false;
    bool m_ended = false;
    bool m_sourceFree = false;
    bool m_imageFree = false;
};

TEST_F(CloseDuringRun, AnsweredNoLetsTheRunFinish) {
    ChooseSource(disk->Partition(2));
    const QString output = Path("part2.img");
    SetOutput(output);
    messages.answers = {Answer::No};
    CloseMidRun([this] { EXPECT_FALSE(form->close()); });

    Click("btnRepair");

    EXPECT_TRUE(m_closeAsked);
    EXPECT_EQ(messages.Texts("confirm"), QStringList{kQuestion});
    EXPECT_TRUE(ImageEquals(output, disk->Partition(2)));
    EXPECT_TRUE(form->LogLines().last().endsWith("0 bad source sectors encountered."));
    QTest::qWait(200);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(CloseDuringRun, AnsweredYesStopsTheRunAndCloses) {
    ChooseSource(disk->Partition(2));
    const QString output = Path("part2.img");
    SetOutput(output);
    messages.answers = {Answer::Yes};
    CloseMidRun([this] { EXPECT_FALSE(form->close()); });

    Click("btnRepair");
    WaitForTheEnd(output);

    EXPECT_EQ(messages.Texts("confirm"), QStringList{kQuestion});
    EXPECT_TRUE(messages.Texts("information").isEmpty()); // nothing holds the close up
    const QStringList log = form->LogLines();
    EXPECT_EQ(log.last(), "User aborts the cloning process.");
    EXPECT_TRUE(log.contains("Cloning process completes."));
    EXPECT_TRUE(m_ended);
    EXPECT_TRUE(m_sourceFree);
    EXPECT_TRUE(m_imageFree);
}

// The program quitting (as at the end of a session) stops the run without a question.
TEST_F(CloseDuringRun, QuittingStopsTheRunWithoutAsking) {
    ChooseSource(disk->Partition(2));
    const QString output = Path("part2.img");
    SetOutput(output);
    CloseMidRun([] {
        QEvent quit(QEvent::Quit);
        QCoreApplication::sendEvent(qApp, &quit);
    });

    Click("btnRepair");
    WaitForTheEnd(output);

    EXPECT_TRUE(messages.Texts("confirm").isEmpty());
    EXPECT_EQ(form->LogLines().last(), "User aborts the cloning process.");
    EXPECT_TRUE(m_ended);
    EXPECT_TRUE(m_sourceFree);
    EXPECT_TRUE(m_imageFree);
}

} // namespace
