// Copies a 1 GiB file with the engine and with `dd bs=512K conv=fsync`,
// alternating, and prints the median wall time of each and their ratio.
//
//   build/bench/copy_bench [folder] [rounds]
//
// The folder (default: the system's temporary folder) holds the source and
// the copies; put it on the file system you want to measure.
#include "CallEngineJob.h"

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

double TimeEngine(const fs::path& source, const fs::path& destination) {
    fs::remove(destination);
    const std::u16string src = source.u16string(), dst = destination.u16string();
    const TOptionsStruct options{0};
    const auto start = Clock::now();
    if (CallEngineJob(src.c_str(), &options, dst.c_str(), &NeverStop, 0) != 1) {
        std::fprintf(stderr, "engine copy failed\n");
        std::exit(1);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double TimeDd(const fs::path& source, const fs::path& destination) {
    fs::remove(destination);
    const std::string command = "dd if='" + source.string() + "' of='" + destination.string() +
                                "' bs=512K conv=fsync status=none";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "dd failed\n");
        std::exit(1);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace

int main(int argc, char* argv[]) {
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const fs::path source = folder / "copy_bench_source.bin";
    const fs::path copy = folder / "copy_bench_copy.bin";
    WriteSource(source);

    std::vector<double> engine, dd;
    TimeDd(source, copy); // warm-up: both runs then find the source cached alike
    for (int round = 0; round < rounds; ++round) {
        engine.push_back(TimeEngine(source, copy));
        dd.push_back(TimeDd(source, copy));
        std::printf("round %d: engine %.3f s, dd %.3f s\n", round + 1, engine.back(), dd.back());
    }
    fs::remove(source);
    fs::remove(copy);

    const double engineMedian = Median(engine), ddMedian = Median(dd);
    std::printf("median: engine %.3f s, dd %.3f s, ratio engine/dd %.3f\n", engineMedian, ddMedian,
                engineMedian / ddMedian);
    return 0;
}
