// Jobs and size queries on real block devices: loop disks the tests attach
// themselves, with partition tables and a mounted file system.
#include "Command.h"
#include "JobRecorder.h"
#include "LoopDisk.h"
#include "TempDir.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/statvfs.h>
#include <unistd.h>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

constexpr uint64_t kMiB = 1024 * 1024;
const std::string kTwoPartitions = "label: dos\n,8M,L\n,8M,L\n";
const std::string kThreePartitions = "label: dos\n,4M,L\n,6M,L\n,10M,L\n";

class BlockDevice : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const std::string why = LoopDevicesUnavailable(); !why.empty())
            GTEST_SKIP() << why;
    }

    // An image of a 24 MiB disk with three partitions and patterned data.
    fs::path MakeThreePartitionImage() {
        const fs::path image = m_dir / "three.img";
        WritePatternFile(image, 24 * kMiB);
        MustRun("printf '%s' " + Quote(kThreePartitions) + " | sfdisk -q " + Quote(image.string()));
        return image;
    }

    TempDir m_dir;
};

TEST_F(BlockDevice, DiskSizeOfALoopDiskAndOfInvalidHandles) {
    LoopDisk disk(m_dir / "disk.img", 24 * kMiB, kTwoPartitions);
    const int fd = ::open(disk.Device().c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    uint64_t size = 0;
    EXPECT_EQ(EngineGetDiskSize(fd, &size), 1);
    EXPECT_EQ(size, 24 * kMiB);
    EXPECT_EQ(EngineGetDiskSize(fd, nullptr), 0);
    ::close(fd);

    uint64_t untouched = 42;
    EXPECT_EQ(EngineGetDiskSize(-1, &untouched), 0);
    EXPECT_EQ(EngineGetDiskSize(0, &untouched), 0);
    EXPECT_EQ(EngineGetDiskSize(fd, &untouched), 0); // closed by now
    EXPECT_EQ(untouched, 42u);
}

TEST_F(BlockDevice, VolumeSizeOfMountedAndUnmountedPartitions) {
    LoopDisk disk(m_dir / "disk.img", 24 * kMiB, kTwoPartitions);
    const fs::path mountPoint = disk.MountExt4(1, m_dir / "mnt");
    struct statvfs st {};
    ASSERT_EQ(::statvfs(mountPoint.c_str(), &st), 0);
    const uint64_t fileSystemTotal = static_cast<uint64_t>(st.f_blocks) * st.f_frsize;

    uint64_t size = 0;
    EXPECT_EQ(EngineGetVolumeSize(Wide(disk.Partition(1)).c_str(), &size), 1);
    EXPECT_EQ(size, fileSystemTotal);
    EXPECT_EQ(EngineGetVolumeSize(Wide(mountPoint).c_str(), &size), 1);
    EXPECT_EQ(size, fileSystemTotal);
    EXPECT_EQ(EngineGetVolumeSize(Wide(disk.Partition(2)).c_str(), &size), 1);
    EXPECT_EQ(size, 8 * kMiB);

    uint64_t untouched = 42;
    EXPECT_EQ(EngineGetVolumeSize(u"/no/such/volume", &untouched), 0);
    EXPECT_EQ(EngineGetVolumeSize(nullptr, &untouched), 0);
    EXPECT_EQ(untouched, 42u);
}

TEST_F(BlockDevice, ClonesAPartitionAndAWholeDisk) {
    const fs::path image = MakeThreePartitionImage();
    LoopDisk disk(m_dir / "disk.img", 24 * kMiB, "");
    MustRun("dd if=" + Quote(image.string()) + " of=" + Quote(disk.Device()) +
            " bs=1M conv=fsync status=none");
    MustRun("partx -a " + Quote(disk.Device()));

    JobRecorder wholeJob;
    EXPECT_EQ(wholeJob.Run(fs::path(disk.Device()), m_dir / "whole.img"), 1);
    EXPECT_TRUE(SameContent(image, m_dir / "whole.img"));
    EXPECT_EQ(wholeJob.Value(JOBMSG_TOTAL_BYTES), 24 * kMiB);

    JobRecorder partJob;
    EXPECT_EQ(partJob.Run(fs::path(disk.Partition(2)), m_dir / "part2.img"), 1);
    MustRun("dd if=" + Quote(image.string()) + " of=" + Quote((m_dir / "expected2").string()) +
            " bs=1M skip=5 count=6 status=none");
    EXPECT_TRUE(SameContent(m_dir / "expected2", m_dir / "part2.img"));
}

TEST_F(BlockDevice, RestoreToAWholeDiskRewritesItsPartitionTable) {
    const fs::path image = MakeThreePartitionImage();
    LoopDisk disk(m_dir / "disk.img", 24 * kMiB, kTwoPartitions);
    ASSERT_EQ(disk.PartitionNumbers(), (std::vector<int>{1, 2}));
    JobRecorder job;

    EXPECT_EQ(job.Run(image, fs::path(disk.Device())), 1);

    EXPECT_EQ(job.Count(JOBMSG_LOG_TEXT), 0u);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 24 * kMiB);
    EXPECT_TRUE(SameContent(image, disk.BackingFile()));
    EXPECT_EQ(disk.PartitionNumbers(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(disk.PartitionSize(1), 4 * kMiB);
    EXPECT_EQ(disk.PartitionSize(2), 6 * kMiB);
    EXPECT_EQ(disk.PartitionSize(3), 10 * kMiB);
    EXPECT_TRUE(CanOpenExclusively(disk.Device()));
}

TEST_F(BlockDevice, RestoreToADiskWithAMountedPartitionIsRefused) {
    const fs::path image = MakeThreePartitionImage();
    LoopDisk disk(m_dir / "disk.img", 24 * kMiB, kTwoPartitions);
    disk.MountExt4(2, m_dir / "mnt");
    MustRun("cp " + Quote(disk.BackingFile().string()) + " " +
            Quote((m_dir / "before.img").string()));
    JobRecorder job;

    EXPECT_EQ(job.Run(image, fs::path(disk.Device())), 0);

    const std::vector<uintptr_t> codes = {JOBMSG_PROGRESS, JOBMSG_SOURCE, JOBMSG_TOTAL_BYTES,
                                          JOBMSG_BAD_SECTORS, JOBMSG_PROGRESS};
    EXPECT_EQ(job.Codes(), codes);
    EXPECT_EQ(job.Count(JOBMSG_QUERY_ABORT), 0u);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 0u);
    EXPECT_TRUE(SameContent(m_dir / "before.img", disk.BackingFile()));
    // Every lock the job took was given back.
    disk.UnmountAll();
    EXPECT_TRUE(CanOpenExclusively(disk.Device()));
    EXPECT_TRUE(CanOpenExclusively(disk.Partition(1)));
    EXPECT_TRUE(CanOpenExclusively(disk.Partition(2)));
}

TEST_F(BlockDevice, RestoreToAPartition) {
    LoopDisk disk(m_dir / "disk.img", 24 * kMiB, kTwoPartitions);
    WritePatternFile(m_dir / "part.img", 8 * kMiB);
    disk.MountExt4(1, m_dir / "mnt");

    JobRecorder refused;
    EXPECT_EQ(refused.Run(m_dir / "part.img", fs::path(disk.Partition(1))), 0);
    EXPECT_EQ(refused.Count(JOBMSG_LOG_TEXT), 0u);
    EXPECT_EQ(refused.Value(JOBMSG_TOTAL_BYTES), 0u);

    JobRecorder written;
    EXPECT_EQ(written.Run(m_dir / "part.img", fs::path(disk.Partition(2))), 1);
    MustRun("dd if=" + Quote(disk.Partition(2)) + " of=" + Quote((m_dir / "back.img").string()) +
            " bs=1M status=none");
    EXPECT_TRUE(SameContent(m_dir / "part.img", m_dir / "back.img"));
    EXPECT_TRUE(CanOpenExclusively(disk.Partition(2)));
}

TEST_F(BlockDevice, StopDuringARestoreReleasesTheDisk) {
    const fs::path image = MakeThreePartitionImage();
    LoopDisk disk(m_dir / "disk.img", 24 * kMiB, kTwoPartitions);
    JobRecorder job;
    job.StopAtQuery(3);

    EXPECT_EQ(job.Run(image, fs::path(disk.Device())), 0);

    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 0u);
    EXPECT_EQ(job.Count(JOBMSG_LOG_TEXT), 0u);
    EXPECT_TRUE(CanOpenExclusively(disk.Device()));
    // The first transfer carried the new table: the nodes follow it.
    EXPECT_EQ(disk.PartitionNumbers(), (std::vector<int>{1, 2, 3}));
}

TEST_F(BlockDevice, ImageLargerThanTheDiskReportsDiskFull) {
    LoopDisk disk(m_dir / "disk.img", 4 * kMiB, "");
    WritePatternFile(m_dir / "big.img", 4 * kMiB + 512 * 1024);
    JobRecorder job;

    EXPECT_EQ(job.Run(m_dir / "big.img", fs::path(disk.Device())), 1);

    const std::string text =
        "Error 2: General error. Disk full while accessing " + disk.Device() + ".";
    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT), text);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 4 * kMiB);
}

} // namespace
