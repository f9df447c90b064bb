// A run that breaks off is a failure, although the engine returns 1 once
// anything was written: a destination that fills up, an output the engine
// refuses.
#include "../CloneWindowFixture.h"

#include "Command.h"
#include "DriveChoice.h"
#include "LogText.h"
#include "LoopDisk.h"
#include "SmallTmpfs.h"
#include "TempDir.h"

#include <QComboBox>
#include <QDir>

namespace {

using testsupport::LoopDisk;

constexpr uint64_t kMiB = 1 << 20;

class RunFailure : public CloneWindow {
  protected:
    void SetUp() override {
        if (const std::string why = testsupport::LoopDevicesUnavailable(); !why.empty())
            GTEST_SKIP() << why;
        CloneWindow::SetUp();
        disk = std::make_unique<LoopDisk>(m_dir / "disk.img", 24 * kMiB, "");
        testsupport::MustRun("dd if=/dev/urandom of=" + testsupport::Quote(disk->Device()) +
                             " bs=1M count=24 status=none conv=fsync");
        Click("btnSrcRefresh");
        source = apptest::ChooseDrive(*form, Child<QComboBox>("cmbSrcDrives"), disk->Device());
    }

    testsupport::TempDir m_dir;
    std::unique_ptr<LoopDisk> disk;
    QString source;
};

TEST_F(RunFailure, CloneOntoAFileSystemThatFillsUpFails) {
    testsupport::SmallTmpfs small(m_dir / "small", "8m");
    if (!small.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    const QString output = QString::fromStdString((m_dir / "small" / "disk.img").string());
    SetOutput(output);

    Click("btnRepair");

    const QString full = "Error 2: General error. Disk full while accessing " + output + ".";
    const QString failed = "Fail to clone '" + source + "'!";
    EXPECT_EQ(messages.Texts("information"), (QStringList{full, failed}));
    EXPECT_TRUE(messages.Texts("window").isEmpty()) << "a cut image was called a success";
    EXPECT_EQ(form->LogLines().last(), failed);
}

TEST_F(RunFailure, FolderAsOutputIsRefusedByTheEngine) {
    ASSERT_TRUE(QDir().mkpath(Path("taken.img")));
    SetOutput(Path("taken.img"));

    Click("btnRepair");

    EXPECT_TRUE(messages.Texts("confirm").isEmpty()); // a folder is no file to overwrite
    EXPECT_EQ(messages.Texts("information"),
              (QStringList{"Error 4: Cannot create the destination file. Access to " +
                               Path("taken.img") + " was denied.",
                           "Fail to clone '" + source + "'!"}));
    EXPECT_TRUE(QDir(Path("taken.img")).isEmpty());
}

} // namespace
