// A job leaves the page cache as it found it, but for a window of a few
// transfers: the pages it read and wrote are handed back as it goes. The
// files start out evicted, so what is resident afterwards is the job's.
#include "PageCache.h"
#include "Command.h"
#include "JobRecorder.h"
#include "LoopDisk.h"
#include "TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

constexpr uint64_t kMiB = 1024 * 1024;
// The job's window of 16 MiB, and what the system reads ahead of the job
// (up to twice the device's read-ahead, 8 MiB on a virtual disk).
constexpr uint64_t kFootprint = 48 * kMiB;

// Samples the footprint at every stop question, never stopping.
void TrackPeak(JobRecorder& job, const fs::path& source, const fs::path& image, uint64_t& peak) {
    job.StopWhen([source, image, &peak] {
        peak = std::max(peak, ResidentBytes(source) + ResidentBytes(image));
        return false;
    });
}

TEST(PageCache, FileToFileKeepsOnlyAWindowResident) {
    TempDir dir;
    const fs::path source = dir / "source.bin", image = dir / "image.img";
    WritePatternFile(source, 256 * kMiB);
    EvictFromCache(source);
    ASSERT_LT(ResidentBytes(source), kFootprint) << "the test cannot evict the source";
    JobRecorder job;
    uint64_t peak = 0;
    TrackPeak(job, source, image, peak);

    ASSERT_EQ(job.Run(source, image), 1);

    EXPECT_LE(peak, kFootprint) << peak / kMiB << " MiB resident during the job";
    const uint64_t resident = ResidentBytes(source) + ResidentBytes(image);
    EXPECT_LE(resident, kFootprint) << ResidentBytes(source) / kMiB << " MiB of the source and "
                                    << ResidentBytes(image) / kMiB << " MiB of the image resident";
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 256 * kMiB);
    EXPECT_TRUE(SameContent(source, image));
}

TEST(PageCache, LoopDiskToFileKeepsOnlyAWindowResident) {
    if (const std::string why = LoopDevicesUnavailable(); !why.empty())
        GTEST_SKIP() << why;
    TempDir dir;
    const fs::path backing = dir / "disk.bin", image = dir / "image.img";
    WritePatternFile(backing, 192 * kMiB);
    LoopDisk disk(backing, 192 * kMiB, "");
    // The loop driver reads its file directly, so the device's own cache is
    // all there is: the one a real disk has.
    MustRun("losetup --direct-io=on " + Quote(disk.Device()));
    EvictFromCache(backing);
    EvictFromCache(disk.Device());
    JobRecorder job;
    uint64_t peak = 0;
    TrackPeak(job, disk.Device(), image, peak);

    ASSERT_EQ(job.Run(fs::path(disk.Device()), image), 1);

    EXPECT_LE(peak, kFootprint) << peak / kMiB << " MiB resident during the job";
    const uint64_t resident = ResidentBytes(disk.Device()) + ResidentBytes(image);
    EXPECT_LE(resident, kFootprint)
        << ResidentBytes(disk.Device()) / kMiB << " MiB of the disk and "
        << ResidentBytes(image) / kMiB << " MiB of the image resident";
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 192 * kMiB);
    EXPECT_TRUE(SameContent(backing, image));
}

} // namespace
