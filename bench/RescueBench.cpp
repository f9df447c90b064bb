// Images a 64 MiB source with a 4 MiB unreadable area, served by the test
// FUSE file system at 1 ms per failing read, with the engine and with GNU
// ddrescue, alternating, and prints the median wall time of each, their
// ratio, the failing reads each made and the readable bytes each recovered.
//
//   build/bench/rescue_bench [rounds]
//
// Needs root (FUSE) and /usr/bin/ddrescue (Debian package gddrescue).
#include "CallEngineJob.h"
#include "Command.h"
#include "FaultyFile.h"
#include "TempDir.h"

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
using testsupport::FaultyFile;

namespace {

constexpr uint64_t kMiB = 1ull << 20;
constexpr uint64_t kSize = 64 * kMiB;
constexpr FaultyFile::Stretch kUnreadable{30 * kMiB, 34 * kMiB};
constexpr std::chrono::microseconds kFailingReadDelay{1000};

struct Run {
    double seconds = 0;
    uint64_t failedReads = 0;
    uint64_t recovered = 0; // readable source bytes found in place in the image
};

int32_t VORLIK_CALL NeverStop(uintptr_t, uintptr_t, uintptr_t) {
    return 0;
}

uint64_t RecoveredBytes(const fs::path& image) {
    std::ifstream in(image, std::ios::binary);
    std::vector<char> chunk(kMiB);
    uint64_t recovered = 0;
    for (uint64_t offset = 0; in; offset += chunk.size()) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto n = static_cast<uint64_t>(in.gcount());
        for (uint64_t i = 0; i < n; ++i) {
            const uint64_t at = offset + i;
            const bool readable = at < kUnreadable.first || at >= kUnreadable.second;
            recovered += readable && static_cast<uint8_t>(chunk[i]) == testsupport::PatternByte(at);
        }
    }
    return recovered;
}

template <typename Job> Run Measure(const FaultyFile& source, const fs::path& image, Job job) {
    fs::remove(image);
    const uint64_t failedBefore = source.FailedReads();
    const auto start = Clock::now();
    job();
    Run run;
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.failedReads = source.FailedReads() - failedBefore;
    run.recovered = RecoveredBytes(image);
    return run;
}

Run TimeEngine(const FaultyFile& source, const fs::path& image) {
    return Measure(source, image, [&] {
        const std::u16string src = source.File().u16string(), dst = image.u16string();
        const TOptionsStruct options{0};
        if (CallEngineJob(src.c_str(), &options, dst.c_str(), &NeverStop, 0) != 1) {
            std::fprintf(stderr, "engine job failed\n");
            std::exit(1);
        }
    });
}

Run TimeDdrescue(const FaultyFile& source, const fs::path& image, const fs::path& map) {
    fs::remove(map);
    return Measure(source, image, [&] {
        const std::string command = "ddrescue -q " + testsupport::Quote(source.File().string()) +
                                    " " + testsupport::Quote(image.string()) + " " +
                                    testsupport::Quote(map.string());
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "ddrescue failed\n");
            std::exit(1);
        }
    });
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void Print(const char* name, const Run& run) {
    std::printf("  %-8s %7.3f s, %5llu failing reads, %llu readable bytes recovered\n", name,
                run.seconds, static_cast<unsigned long long>(run.failedReads),
                static_cast<unsigned long long>(run.recovered));
}

} // namespace

int main(int argc, char* argv[]) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    if (const std::string why = testsupport::FuseUnavailable(); !why.empty()) {
        std::fprintf(stderr, "cannot run: %s\n", why.c_str());
        return 1;
    }
    if (testsupport::RunCommand("command -v ddrescue").exitCode != 0) {
        std::fprintf(stderr, "cannot run: ddrescue missing (apt-get install gddrescue)\n");
        return 1;
    }
    testsupport::TempDir dir;
    FaultyFile source(dir / "mnt", kSize, {kUnreadable}, kFailingReadDelay);
    if (!source.Failure().empty()) {
        std::fprintf(stderr, "cannot run: %s\n", source.Failure().c_str());
        return 1;
    }
    const uint64_t readable = kSize - (kUnreadable.second - kUnreadable.first);
    std::printf("64 MiB source, 4 MiB unreadable (%llu sectors), 1 ms per failing read\n",
                static_cast<unsigned long long>((kUnreadable.second - kUnreadable.first) / 512));

    std::vector<double> engine, ddrescue;
    bool sameRecovery = true;
    for (int round = 0; round < rounds; ++round) {
        const Run e = TimeEngine(source, dir / "engine.img");
        const Run d = TimeDdrescue(source, dir / "ddrescue.img", dir / "ddrescue.map");
        std::printf("round %d:\n", round + 1);
        Print("engine", e);
        Print("ddrescue", d);
        engine.push_back(e.seconds);
        ddrescue.push_back(d.seconds);
        sameRecovery = sameRecovery && e.recovered == readable && d.recovered == readable;
    }
    const double engineMedian = Median(engine), ddrescueMedian = Median(ddrescue);
    std::printf("median: engine %.3f s, ddrescue %.3f s, ratio engine/ddrescue %.3f\n",
                engineMedian, ddrescueMedian, engineMedian / ddrescueMedian);
    std::printf("every readable byte recovered by both in every round: %s\n",
                sameRecovery ? "yes" : "NO");
    return sameRecovery ? 0 : 1;
}
