// The command line itself: help, version, and every wrong command line a
// usage error that does nothing.
#include "CliRunner.h"
#include "TempDir.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace clitest;

TEST(CliUsage, HelpAndVersionAnswerAndDocumentTheStatuses) {
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* text : {"tolvane-cli clone SOURCE IMAGE", "tolvane-cli restore IMAGE TARGET",
                             "tolvane-cli verify A B", "0  success", "1  failure", "2  bad usage",
                             "3  refused by the user", "4  stopped"})
        EXPECT_TRUE(help.out.contains(text)) << text;
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QString("tolvane-cli %1\n").arg(TOLVANE_EXPECTED_VERSION));
}

TEST(CliUsage, AWrongCommandLineIsABadUsageThatTouchesNothing) {
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir / "out");
    const QString out = Q(dir / "out" / "image.img");
    const QString image = Q(dir / "image.img");
    const QList<QStringList> cases{
        {},
        {"frobnicate"},
        {"clone"},
        {"clone", "/dev/null"},
        {"clone", "/dev/null", out, "extra"},
        {"restore", image},
        {"verify", image},
        {"list", "--verify"},
        {"list", "extra"},
        {"verify", image, out, "--yes"},
        {"clone", "/dev/null", out, "--replace-byte"},
        {"clone", "/dev/null", out, "--replace-byte", "256"},
        {"clone", "/dev/null", out, "--replace-byte=-1"},
        {"clone", "/dev/null", out, "--replace-byte", "0xZZ"},
        {"clone", "--no-such-option", "/dev/null", out},
        {"clone", "", out},
    };
    for (const QStringList& arguments : cases) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ');
        EXPECT_TRUE(run.err.contains("Try 'tolvane-cli --help'.")) << run.err;
        EXPECT_TRUE(run.out.isEmpty()) << run.out;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir / "out"));
}

} // namespace
