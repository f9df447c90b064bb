// A job whose destination is its own source under another name, or a disk
// and one of its own partitions: refused at the destination's open, with
// not a byte of the device changed and no lock left behind.
#include "Command.h"
#include "JobRecorder.h"
#include "LoopDisk.h"
#include "TempDir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

constexpr uint64_t kMiB = 1024 * 1024;
const std::string kTwoPartitions = "label: dos\n,8M,L\n,8M,L\n";

// Names of the same storage as a loop disk and its partitions see it.
struct Names {
    const LoopDisk& disk;
    const fs::path& folder;

    fs::path Disk() const { return disk.Device(); }
    fs::path Partition(int number) const { return disk.Partition(number); }
    fs::path BackingFile() const { return disk.BackingFile(); }
    // A symbolic link of the test's own to a node.
    fs::path LinkTo(const fs::path& node) const {
        const fs::path link = folder / ("link-to-" + node.filename().string());
        fs::create_symlink(node, link);
        return link;
    }
    // The node as a path relative to the working folder.
    static fs::path Relative(const fs::path& node) { return fs::relative(node); }
};

struct OverlapCase {
    const char* name;
    std::function<fs::path(const Names&)> source;
    std::function<fs::path(const Names&)> destination;
    friend void PrintTo(const OverlapCase& c, std::ostream* out) { *out << c.name; }
};

class SameDevice : public ::testing::TestWithParam<OverlapCase> {
  protected:
    void SetUp() override {
        if (const std::string why = LoopDevicesUnavailable(); !why.empty())
            GTEST_SKIP() << why;
        disk = std::make_unique<LoopDisk>(m_dir / "disk.img", 24 * kMiB, kTwoPartitions);
        for (int number : {1, 2})
            MustRun("dd if=/dev/urandom of=" + Quote(disk->Partition(number)) +
                    " bs=1M status=none conv=fsync 2>/dev/null || true");
        fs::copy_file(disk->BackingFile(), m_dir / "before.img");
    }

    TempDir m_dir;
    std::unique_ptr<LoopDisk> disk;
};

TEST_P(SameDevice, IsRefusedAsASharingViolationBeforeAnyWrite) {
    const Names names{*disk, m_dir.Path()};
    const fs::path source = GetParam().source(names);
    const fs::path destination = GetParam().destination(names);
    JobRecorder job;

    EXPECT_EQ(job.Run(source, destination), 0);

    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT),
              "Error 4: Cannot create the destination file. Encountered a sharing violation "
              "while accessing " +
                  destination.string() + ".");
    EXPECT_EQ(job.Text(JOBMSG_MESSAGE_BOX), job.Text(JOBMSG_LOG_TEXT));
    EXPECT_EQ(job.Count(JOBMSG_QUERY_ABORT), 0u);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 0u);
    EXPECT_TRUE(SameContent(m_dir / "before.img", disk->BackingFile()));
    for (const std::string& node : {disk->Device(), disk->Partition(1), disk->Partition(2)})
        EXPECT_TRUE(CanOpenExclusively(node)) << node << " is still held";
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, SameDevice,
    ::testing::Values(OverlapCase{"DiskOntoItself", &Names::Disk, &Names::Disk},
                      OverlapCase{"DiskOntoALinkToIt", &Names::Disk,
                                  [](const Names& n) { return n.LinkTo(n.Disk()); }},
                      OverlapCase{"LinkOntoTheDisk",
                                  [](const Names& n) { return n.LinkTo(n.Disk()); }, &Names::Disk},
                      OverlapCase{"DiskOntoItsOwnPartition", &Names::Disk,
                                  [](const Names& n) { return n.Partition(2); }},
                      OverlapCase{"PartitionOntoItsDisk",
                                  [](const Names& n) { return n.Partition(1); }, &Names::Disk},
                      OverlapCase{"PartitionOntoItselfByARelativePath",
                                  [](const Names& n) { return n.Partition(1); },
                                  [](const Names& n) { return Names::Relative(n.Partition(1)); }},
                      OverlapCase{"DiskOntoTheFileBehindIt", &Names::Disk, &Names::BackingFile},
                      OverlapCase{"FileOntoTheDiskItBacks", &Names::BackingFile, &Names::Disk}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// Two partitions of one disk are different storage: the copy goes ahead.
TEST(SameDisk, OnePartitionOntoAnotherIsCopied) {
    if (const std::string why = LoopDevicesUnavailable(); !why.empty())
        GTEST_SKIP() << why;
    TempDir dir;
    LoopDisk disk(dir / "disk.img", 24 * kMiB, kTwoPartitions);
    MustRun("dd if=/dev/urandom of=" + Quote(disk.Partition(1)) +
            " bs=1M status=none conv=fsync 2>/dev/null || true");
    JobRecorder job;

    EXPECT_EQ(job.Run(fs::path(disk.Partition(1)), fs::path(disk.Partition(2))), 1);

    EXPECT_EQ(job.Count(JOBMSG_LOG_TEXT), 0u);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 8 * kMiB);
    MustRun("cmp -n " + std::to_string(8 * kMiB) + " " + Quote(disk.Partition(1)) + " " +
            Quote(disk.Partition(2)));
}

} // namespace
