// clone and restore on loop disks the test attaches: the round trip, the
// refusals before anything is written, and failures that are failures.
#include "CliRunner.h"
#include "Command.h"
#include "FaultyFile.h"
#include "LoopDisk.h"
#include "SmallTmpfs.h"
#include "TempDir.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QMap>

#include <algorithm>
#include <filesystem>

namespace {

using namespace clitest;
using testsupport::LoopDisk;
namespace fs = std::filesystem;

constexpr uint64_t kDiskSize = 32 << 20;
const std::string kTwoPartitions = "label: dos\n,12M,L\n,12M,L\n";

class CliJob : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const std::string why = testsupport::LoopDevicesUnavailable(); !why.empty())
            GTEST_SKIP() << why;
    }
    // A disk of pattern bytes under a partition table.
    std::unique_ptr<LoopDisk> PatternDisk(const std::string& name) {
        testsupport::WritePatternFile(m_dir / name, kDiskSize);
        return std::make_unique<LoopDisk>(m_dir / name, kDiskSize, kTwoPartitions);
    }
    std::unique_ptr<LoopDisk> BlankDisk(const std::string& name, uint64_t size = kDiskSize) {
        return std::make_unique<LoopDisk>(m_dir / name, size, "");
    }

    testsupport::TempDir m_dir;
};

class CliRoundTrip : public CliJob, public ::testing::WithParamInterface<bool> {};

TEST_P(CliRoundTrip, CloneThenRestoreGivesTheSourceBytesBack) {
    const bool verify = GetParam();
    const auto source = PatternDisk("source.img");
    const auto target = BlankDisk("target.img");
    const std::string sourceBytes = source->BackingFile().string();
    const QString image = Q(m_dir / "images" / "copy.img");
    QStringList extra{"--yes"};
    if (verify)
        extra << "--verify";

    const CliRun clone = RunCli(QStringList{"clone", Q(source->Device()), image} + extra);
    ASSERT_EQ(clone.status, 0) << clone.err;
    EXPECT_EQ(fs::file_size(image.toStdString()), kDiskSize);
    EXPECT_TRUE(SameBytes(sourceBytes, image.toStdString(), kDiskSize));
    EXPECT_TRUE(clone.out.contains("0 bad source sectors encountered.")) << clone.out;
    const QString sha = Sha256Of(sourceBytes);
    EXPECT_EQ(clone.out.contains("SHA-256 of '" + Q(source->Device()) + "': " + sha), verify)
        << clone.out;

    const CliRun restore =
        RunCli(QStringList{"restore", image, Q(target->Device()), "--json"} + extra);
    ASSERT_EQ(restore.status, 0) << restore.err;
    EXPECT_TRUE(SameBytes(sourceBytes, target->BackingFile().string(), kDiskSize));
    const QJsonObject result = restore.Result();
    EXPECT_EQ(result["status"].toString(), "success");
    EXPECT_EQ(result["bytesWritten"].toInteger(), static_cast<qint64>(kDiskSize));
    EXPECT_EQ(result["unreadableSectors"].toInteger(), 0);
    EXPECT_EQ(result["verify"]["sha256"].toString(), verify ? sha : QString());
    EXPECT_TRUE(testsupport::CanOpenExclusively(target->Device()));
    // Progress came as JSON lines before the result, each pass up to 100 percent.
    QMap<QString, int> lastPercent;
    for (const QJsonObject& line : restore.JsonLines()) {
        if (line["event"].toString() == "progress")
            lastPercent[line["phase"].toString()] = line["percent"].toInt();
    }
    EXPECT_EQ(lastPercent.value("restore"), 100);
    EXPECT_EQ(lastPercent.contains("verify"), verify);
    EXPECT_EQ(lastPercent.value("verify", 100), 100);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutVerify, CliRoundTrip, ::testing::Bool(),
                         [](const auto& testCase) { return testCase.param ? "Verify" : "Plain"; });

TEST_F(CliJob, RefusalsSayWhyEndWithTheirStatusAndWriteNothing) {
    const auto source = PatternDisk("source.img");
    const auto mountPoint = source->MountExt4(1, m_dir / "mounted");
    const auto target = PatternDisk("target.img");
    const std::string targetBytes = target->BackingFile().string();
    const QString targetSha = Sha256Of(targetBytes);
    testsupport::WritePatternFile(m_dir / "small.img", 1 << 20);
    testsupport::WritePatternFile(m_dir / "existing.img", 4096);
    const QString existingSha = Sha256Of((m_dir / "existing.img").string());
    const QString fresh = Q(m_dir / "fresh.img");
    struct Case {
        const char* name;
        QStringList arguments;
        QByteArray input;
        int status;
        QString error;
    };
    const Case cases[] = {
        {"missing source",
         {"clone", "/dev/no-such-disk", fresh},
         {},
         1,
         "'/dev/no-such-disk' is no drive or disk that Tolvane lists"},
        {"output on its own partition",
         {"clone", Q(source->Partition(1)), Q(mountPoint / "image.img"), "--yes"},
         {},
         1,
         "Error 1: Destination file 'image.img' cannot be outputted to the source disk/drive"},
        {"output on its own whole disk",
         {"clone", Q(source->Device()), Q(mountPoint / "image.img"), "--yes"},
         {},
         1,
         "Error 1: Destination file 'image.img' cannot be outputted to the source disk/drive"},
        {"a disk as the output",
         {"clone", Q(source->Partition(2)), Q(target->Device()), "--yes"},
         {},
         1,
         "is a drive or disk, not an image file."},
        {"existing output answered no",
         {"clone", Q(source->Partition(2)), Q(m_dir / "existing.img")},
         "y\n",
         3,
         "Warning 1: A file named 'existing.img' already exists. Overwrite it? no"},
        {"restore answered no on standard input",
         {"restore", Q(m_dir / "small.img"), Q(target->Device())},
         "yes\n",
         3,
         "Warning 6: All data on destination disk/drive will be overwritten!"},
        {"restore of a missing image",
         {"restore", Q(m_dir / "none.img"), Q(target->Device()), "--yes"},
         {},
         1,
         "'none.img' does not exist! Please select an existing image file!"},
        {"restore onto a mounted disk",
         {"restore", Q(m_dir / "small.img"), Q(source->Device()), "--yes"},
         {},
         1,
         "is mounted on " + Q(mountPoint)},
    };
    const QString sourceSha = Sha256Of(source->Partition(2));
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.arguments, c.input);
        EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.err;
        EXPECT_TRUE(run.err.contains(c.error)) << c.name << "\n" << run.err;
    }
    EXPECT_FALSE(fs::exists(fresh.toStdString()));
    EXPECT_FALSE(fs::exists(mountPoint / "image.img"));
    EXPECT_EQ(Sha256Of(targetBytes), targetSha);
    EXPECT_EQ(Sha256Of((m_dir / "existing.img").string()), existingSha);
    EXPECT_EQ(Sha256Of(source->Partition(2)), sourceSha);
}

// A terminal on standard input (util-linux script gives one) is asked, and
// only a typed Yes goes on.
TEST_F(CliJob, AQuestionOnATerminalTakesTheTypedAnswer) {
    if (testsupport::RunCommand("command -v script").exitCode != 0)
        GTEST_SKIP() << "script (util-linux) missing";
    testsupport::WritePatternFile(m_dir / "small.img", 1 << 20);
    const auto target = BlankDisk("target.img", 4 << 20);
    const std::string command = std::string(TOLVANE_CLI_PROGRAM) + " restore " +
                                testsupport::Quote((m_dir / "small.img").string()) + " " +
                                testsupport::Quote(target->Device());
    const auto typed = [&](const std::string& answer) {
        return testsupport::RunCommand("printf '" + answer + "\\n' | script -qec " +
                                       testsupport::Quote(command) + " /dev/null");
    };
    for (const char* answer : {"n", "", "maybe"}) {
        const auto run = typed(answer);
        EXPECT_EQ(run.exitCode, 3) << answer << "\n" << run.output;
        EXPECT_NE(run.output.find("Are you sure? [y/N]"), std::string::npos) << run.output;
    }
    const auto untouched = testsupport::ReadFileBytes(target->BackingFile());
    EXPECT_TRUE(std::all_of(untouched.begin(), untouched.end(), [](uint8_t b) { return b == 0; }));
    const auto yes = typed("y");
    EXPECT_EQ(yes.exitCode, 0) << yes.output;
    EXPECT_TRUE(SameBytes((m_dir / "small.img").string(), target->Device(), 1 << 20));
}

TEST_F(CliJob, AJobThatBreaksOffFailsWithTheEnginesText) {
    // An image larger than its target: the write past the disk's end fails.
    testsupport::WritePatternFile(m_dir / "large.img", 2 * kDiskSize);
    const auto target = BlankDisk("target.img");
    const CliRun restore = RunCli(
        {"restore", Q(m_dir / "large.img"), Q(target->Device()), "--yes", "--verify", "--json"});
    EXPECT_EQ(restore.status, 1);
    EXPECT_TRUE(restore.err.contains("Error 2: General error.")) << restore.err;
    EXPECT_TRUE(restore.err.contains("Fail to restore image data to")) << restore.err;
    EXPECT_EQ(restore.Result()["status"].toString(), "failure");
    EXPECT_FALSE(restore.Result().contains("verify"));

    // A full disk under the image.
    const auto source = PatternDisk("source.img");
    testsupport::SmallTmpfs full(m_dir / "full", "4m");
    ASSERT_TRUE(full.Mounted());
    const CliRun clone =
        RunCli({"clone", Q(source->Device()), Q(m_dir / "full" / "x.img"), "--yes"});
    EXPECT_EQ(clone.status, 1);
    EXPECT_TRUE(clone.err.contains("Disk full while accessing")) << clone.err;
    EXPECT_TRUE(clone.err.contains("Fail to clone")) << clone.err;
    EXPECT_TRUE(clone.err.contains("0 bad source sectors encountered.")) << clone.err;
}

TEST_F(CliJob, UnreadableSectorsAreFilledCountedAndSkipTheCheck) {
    if (const std::string why = testsupport::FuseUnavailable(); !why.empty())
        GTEST_SKIP() << why;
    testsupport::FaultyFile image(m_dir / "fuse", 4 << 20, {{1 << 20, (1 << 20) + 1024}});
    if (!image.Failure().empty())
        GTEST_SKIP() << image.Failure();
    const auto target = BlankDisk("target.img", 8 << 20);

    const CliRun run = RunCli({"restore", Q(image.File()), Q(target->Device()), "--yes", "--verify",
                               "--replace-byte", "0xA5"});

    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.contains("2 bad source sectors encountered.")) << run.out;
    EXPECT_TRUE(run.out.contains("Verification skipped: 2 unreadable sector(s)")) << run.out;
    const auto bytes = testsupport::ReadFileBytes(target->BackingFile());
    EXPECT_EQ(bytes[(1 << 20) + 10], 0xA5);
    EXPECT_EQ(bytes[10], testsupport::PatternByte(10));
}

} // namespace
