// Copies 1 GiB with the engine and with `dd bs=512K conv=fsync`, alternating,
// first file to file, then from a loop disk to a file, and prints for each
// the median wall time, their ratio, and the median page-cache growth: what
// of source and copy is resident afterwards, both having been evicted before
// every run.
//
//   build/bench/copy_bench [folder] [rounds]
//
// The folder (default: the system's temporary folder) holds the source and
// the copies; put it on the file system you want to measure. The loop disk
// part needs root and is left out without it.
#include "CallEngineJob.h"
#include "Command.h"
#include "LoopDisk.h"
#include "PageCache.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr uint64_t kSize = 1ull << 30;
constexpr double kMiB = 1024.0 * 1024.0;

struct Run {
    double seconds = 0;
    double residentMiB = 0;
};

void WriteSource(const fs::path& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    std::vector<char> chunk(1 << 20);
    for (uint64_t done = 0; done < kSize; done += chunk.size()) {
        for (size_t i = 0; i < chunk.size(); ++i)
            chunk[i] = static_cast<char>((done + i) * 2654435761u >> 13);
        out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    }
}

int32_t VORLIK_CALL NeverStop(uintptr_t, uintptr_t, uintptr_t) {
    return 0;
}

template <typename Copy> Run Measure(const fs::path& source, const fs::path& copy, Copy run) {
    fs::remove(copy);
    testsupport::EvictFromCache(source);
    const auto start = Clock::now();
    run();
    Run result;
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.residentMiB =
        static_cast<double>(testsupport::ResidentBytes(source) + testsupport::ResidentBytes(copy)) /
        kMiB;
    return result;
}

Run TimeEngine(const fs::path& source, const fs::path& copy) {
    return Measure(source, copy, [&] {
        const std::u16string src = source.u16string(), dst = copy.u16string();
        const TOptionsStruct options{0};
        if (CallEngineJob(src.c_str(), &options, dst.c_str(), &NeverStop, 0) != 1) {
            std::fprintf(stderr, "engine copy failed\n");
            std::exit(1);
        }
    });
}

Run TimeDd(const fs::path& source, const fs::path& copy) {
    return Measure(source, copy, [&] {
        const std::string command = "dd if=" + testsupport::Quote(source.string()) +
                                    " of=" + testsupport::Quote(copy.string()) +
                                    " bs=512K conv=fsync status=none";
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "dd failed\n");
            std::exit(1);
        }
    });
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void Compare(const char* title, const fs::path& source, const fs::path& copy, int rounds) {
    std::printf("%s\n", title);
    std::vector<double> engineTime, ddTime, engineCache, ddCache;
    for (int round = 0; round < rounds; ++round) {
        const Run e = TimeEngine(source, copy);
        const Run d = TimeDd(source, copy);
        std::printf("  round %d: engine %.3f s, %.1f MiB cached; dd %.3f s, %.1f MiB cached\n",
                    round + 1, e.seconds, e.residentMiB, d.seconds, d.residentMiB);
        engineTime.push_back(e.seconds);
        engineCache.push_back(e.residentMiB);
        ddTime.push_back(d.seconds);
        ddCache.push_back(d.residentMiB);
    }
    fs::remove(copy);
    std::printf("  median: engine %.3f s, dd %.3f s, ratio engine/dd %.3f; "
                "cache growth engine %.1f MiB, dd %.1f MiB\n",
                Median(engineTime), Median(ddTime), Median(engineTime) / Median(ddTime),
                Median(engineCache), Median(ddCache));
}

} // namespace

int main(int argc, char* argv[]) {
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const fs::path source = folder / "copy_bench_source.bin";
    const fs::path copy = folder / "copy_bench_copy.bin";
    WriteSource(source);
    Compare("1 GiB file to file:", source, copy, rounds);

    if (const std::string why = testsupport::LoopDevicesUnavailable(); !why.empty()) {
        std::printf("loop disk to file left out: %s\n", why.c_str());
    } else {
        testsupport::LoopDisk disk(source, kSize, "");
        // The loop driver reads its file directly: the disk's own cache is
        // the only one, as with a real disk.
        testsupport::MustRun("losetup --direct-io=on " + testsupport::Quote(disk.Device()));
        testsupport::EvictFromCache(source);
        Compare("1 GiB loop disk to file:", disk.Device(), copy, rounds);
    }
    fs::remove(source);
    return 0;
}
