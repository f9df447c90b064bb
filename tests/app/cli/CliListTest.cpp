// `list` on a loop disk of the test's own: its entries, their figures and
// mounts, and the JSON form saying the same as the plain one. Other disks
// of the machine are listed too; only our own are asserted about.
#include "CliRunner.h"
#include "Command.h"
#include "LoopDisk.h"
#include "TempDir.h"

#include <QJsonArray>
#include <QMap>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using namespace clitest;
using testsupport::LoopDisk;

// The plain form, one block per entry, keyed by node.
QMap<QString, QStringList> PlainBlocks(const QString& out) {
    QMap<QString, QStringList> blocks;
    for (const QString& block : out.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts)) {
        const QStringList lines = block.split(u'\n', Qt::SkipEmptyParts);
        for (const QString& line : lines) {
            if (line.startsWith(QStringLiteral("  node:")))
                blocks.insert(line.section(u':', 1).trimmed(), lines);
        }
    }
    return blocks;
}

// What the plain form should say for one JSON entry.
QStringList PlainFromJson(const QJsonObject& entry) {
    const auto orDash = [](const QString& text) { return text.isEmpty() ? "-" : text; };
    QStringList lines{entry["displayName"].toString(),
                      "  node:      " + entry["node"].toString(),
                      QString("  size:      %1 bytes").arg(entry["sizeBytes"].toInteger()),
                      "  model:     " + orDash(entry["model"].toString()),
                      "  serial:    " + orDash(entry["serial"].toString()),
                      QString("  removable: ") + (entry["removable"].toBool() ? "yes" : "no")};
    for (const QJsonValue& mount : entry["mounts"].toArray())
        lines << "  mounted:   " + mount["device"].toString() + " on " +
                     mount["mountPoint"].toString();
    if (entry["mounts"].toArray().isEmpty())
        lines << "  mounted:   -";
    return lines;
}

TEST(CliList, ShowsOurDiskItsPartitionsAndMountAlikeInPlainAndJson) {
    if (const std::string why = testsupport::LoopDevicesUnavailable(); !why.empty())
        GTEST_SKIP() << why;
    testsupport::TempDir dir;
    LoopDisk disk(dir / "disk.img", 64 << 20, "label: dos\n,24M,L\n,24M,L\n");
    const auto mountPoint = disk.MountExt4(1, dir / "mount point");

    const CliRun plain = RunCli({"list"});
    const CliRun json = RunCli({"list", "--json"});

    ASSERT_EQ(plain.status, 0) << plain.err;
    ASSERT_EQ(json.status, 0) << json.err;
    const QMap<QString, QStringList> blocks = PlainBlocks(plain.out);
    const QString p1 = Q(disk.Partition(1)), p2 = Q(disk.Partition(2)), whole = Q(disk.Device());
    for (const QString& node : {p1, p2, whole})
        ASSERT_TRUE(blocks.contains(node)) << node << "\n" << plain.out;
    const QString mounted = "  mounted:   " + p1 + " on " + Q(mountPoint);
    EXPECT_TRUE(blocks[whole].contains(QString("  size:      %1 bytes").arg(64 << 20)));
    EXPECT_TRUE(blocks[whole].contains(mounted)) << blocks[whole].join('\n');
    EXPECT_TRUE(blocks[whole].first().startsWith("Hard disk "));
    EXPECT_TRUE(blocks[p1].contains(mounted));
    EXPECT_TRUE(blocks[p1].first().startsWith(Q(mountPoint) + "  (Fixed Drive)"));
    EXPECT_TRUE(blocks[p2].contains(QString("  size:      %1 bytes").arg(disk.PartitionSize(2))));
    EXPECT_TRUE(blocks[p2].contains("  mounted:   -"));
    EXPECT_TRUE(blocks[p2].contains("  removable: no"));

    const QJsonObject result = json.Result();
    EXPECT_EQ(result["status"].toString(), "success");
    int ours = 0;
    for (const QJsonValue& value : result["devices"].toArray()) {
        const QJsonObject entry = value.toObject();
        const QString node = entry["node"].toString();
        if (node != p1 && node != p2 && node != whole)
            continue;
        ++ours;
        EXPECT_EQ(PlainFromJson(entry), blocks[node]);
        EXPECT_EQ(entry["kind"].toString(), node == whole ? "disk" : "drive");
    }
    EXPECT_EQ(ours, 3);
}

} // namespace
