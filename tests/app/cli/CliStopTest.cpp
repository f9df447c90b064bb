// SIGINT or SIGTERM in the middle of a large restore: the job stops at its
// next stop question, the target is released at once, the status says
// stopped, and nothing of the program is left running.
#include "CliRunner.h"
#include "Command.h"
#include "LoopDisk.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

using namespace clitest;

constexpr uint64_t kLarge = 1ull << 30;

// Processes whose command line names `text`.
int ProcessesNaming(const QString& text) {
    int count = 0;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile cmdline("/proc/" + pid + "/cmdline");
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(text.toUtf8()))
            ++count;
    }
    return count;
}

class CliStop : public ::testing::TestWithParam<int> {};

TEST_P(CliStop, ASignalMidJobStopsItAndReleasesTheTarget) {
    if (const std::string why = testsupport::LoopDevicesUnavailable(); !why.empty())
        GTEST_SKIP() << why;
    testsupport::TempDir dir;
    testsupport::MustRun("head -c " + std::to_string(kLarge) + " /dev/urandom > " +
                         testsupport::Quote((dir / "large.img").string()));
    testsupport::LoopDisk target(dir / "target.img", kLarge, "");

    QProcess cli;
    cli.start(QStringLiteral(TOLVANE_CLI_PROGRAM),
              {"restore", Q(dir / "large.img"), Q(target.Device()), "--yes", "--json"});
    ASSERT_TRUE(cli.waitForStarted());
    cli.closeWriteChannel();
    int percent = 0;
    QByteArray pending;
    while (percent < 3 && cli.state() == QProcess::Running) {
        cli.waitForReadyRead(1000);
        pending += cli.readAllStandardOutput();
        while (pending.contains('\n')) {
            const qsizetype end = pending.indexOf('\n');
            percent =
                std::max(percent, QJsonDocument::fromJson(pending.left(end))["percent"].toInt());
            pending.remove(0, end + 1);
        }
    }
    ASSERT_GE(percent, 3) << "the job ended before it could be stopped";
    ASSERT_EQ(::kill(static_cast<pid_t>(cli.processId()), GetParam()), 0);
    ASSERT_TRUE(cli.waitForFinished(60000));

    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 4);
    EXPECT_TRUE(testsupport::CanOpenExclusively(target.Device()));
    const QByteArray out = pending + cli.readAllStandardOutput();
    const QJsonObject result = QJsonDocument::fromJson(out.trimmed().split('\n').last()).object();
    EXPECT_EQ(result["status"].toString(), "stopped");
    EXPECT_EQ(result["exitStatus"].toInt(), 4);
    EXPECT_TRUE(QString::fromLocal8Bit(cli.readAllStandardError())
                    .contains("User aborts the restore process"));
    EXPECT_EQ(ProcessesNaming(Q(dir / "large.img")), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, CliStop, ::testing::Values(SIGINT, SIGTERM),
                         [](const auto& testCase) {
                             return std::string(testCase.param == SIGINT ? "Interrupt"
                                                                         : "Terminate");
                         });

} // namespace
