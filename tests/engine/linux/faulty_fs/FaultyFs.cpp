// A FUSE file system with one file, disk.img, whose reads fail with EIO
// where they touch an unreadable stretch. Reads are direct: a read that
// begins before a stretch returns the bytes before it, as a short read, and
// the next read fails at the stretch, as a failing medium behind FUSE does.
// A failing read takes FAULTY_DELAY_US microseconds, as on a medium that
// tries hard before it gives up; the file failed_reads tells how many
// reads have failed so far.
//
//   FAULTY_SIZE=<bytes> FAULTY_BAD=<begin>-<end>,... FAULTY_DELAY_US=<us>
//       faulty_fs <mountpoint> -f
#define FUSE_USE_VERSION 35

#include "TempDir.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fuse3/fuse.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

constexpr const char* kFileName = "/disk.img";
constexpr const char* kCountName = "/failed_reads";
constexpr size_t kCountSize = 20; // digits of any 64-bit count, right-aligned

struct Stretch {
    uint64_t begin, end;
};

uint64_t fileSize = 0;
std::vector<Stretch> unreadable;
std::chrono::microseconds failingReadDelay{0};
std::atomic<uint64_t> failedReads{0};

void ReadConfig() {
    const char* size = std::getenv("FAULTY_SIZE");
    fileSize = size ? std::strtoull(size, nullptr, 10) : 0;
    std::istringstream bad(std::getenv("FAULTY_BAD") ? std::getenv("FAULTY_BAD") : "");
    std::string item;
    while (std::getline(bad, item, ',')) {
        const auto dash = item.find('-');
        if (dash != std::string::npos)
            unreadable.push_back(
                {std::stoull(item.substr(0, dash)), std::stoull(item.substr(dash + 1))});
    }
    const char* delay = std::getenv("FAULTY_DELAY_US");
    failingReadDelay = std::chrono::microseconds(delay ? std::strtoull(delay, nullptr, 10) : 0);
}

int GetAttr(const char* path, struct stat* st, fuse_file_info*) {
    std::memset(st, 0, sizeof *st);
    if (std::strcmp(path, "/") == 0) {
        st->st_mode = S_IFDIR | 0755;
        st->st_nlink = 2;
        return 0;
    }
    const bool isCount = std::strcmp(path, kCountName) == 0;
    if (!isCount && std::strcmp(path, kFileName) != 0)
        return -ENOENT;
    st->st_mode = S_IFREG | 0444;
    st->st_nlink = 1;
    st->st_size = static_cast<off_t>(isCount ? kCountSize : fileSize);
    return 0;
}

int ReadDir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*,
            fuse_readdir_flags) {
    if (std::strcmp(path, "/") != 0)
        return -ENOENT;
    fill(buffer, ".", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    fill(buffer, "..", nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    fill(buffer, kFileName + 1, nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    fill(buffer, kCountName + 1, nullptr, 0, static_cast<fuse_fill_dir_flags>(0));
    return 0;
}

int Open(const char* path, fuse_file_info* fi) {
    if (std::strcmp(path, kFileName) != 0 && std::strcmp(path, kCountName) != 0)
        return -ENOENT;
    fi->direct_io = 1;
    return 0;
}

int ReadCount(char* buffer, size_t size, off_t offset) {
    char text[kCountSize + 1];
    std::snprintf(text, sizeof text, "%20llu", static_cast<unsigned long long>(failedReads.load()));
    const auto begin = std::min<size_t>(static_cast<size_t>(offset), kCountSize);
    const size_t n = std::min(size, kCountSize - begin);
    std::memcpy(buffer, text + begin, n);
    return static_cast<int>(n);
}

int Fail() {
    std::this_thread::sleep_for(failingReadDelay);
    ++failedReads;
    return -EIO;
}

int Read(const char* path, char* buffer, size_t size, off_t offset, fuse_file_info*) {
    if (std::strcmp(path, kCountName) == 0)
        return ReadCount(buffer, size, offset);
    const auto begin = static_cast<uint64_t>(offset);
    if (begin >= fileSize)
        return 0;
    uint64_t end = std::min<uint64_t>(begin + size, fileSize);
    for (const Stretch& s : unreadable) {
        if (begin >= s.begin && begin < s.end)
            return Fail();
        if (s.begin > begin && s.begin < end)
            end = s.begin;
    }
    for (uint64_t i = begin; i < end; ++i)
        buffer[i - begin] = static_cast<char>(testsupport::PatternByte(i));
    return static_cast<int>(end - begin);
}

} // namespace

int main(int argc, char* argv[]) {
    ReadConfig();
    fuse_operations operations{};
    operations.getattr = GetAttr;
    operations.readdir = ReadDir;
    operations.open = Open;
    operations.read = Read;
    return fuse_main(argc, argv, &operations, nullptr);
}
