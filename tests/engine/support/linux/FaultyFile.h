// A file on a FUSE file system of the test's own whose reads fail in given
// stretches, each failing read taking the given delay. Mounted on
// construction, unmounted on every exit.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace testsupport {

class FaultyFile {
  public:
    using Stretch = std::pair<uint64_t, uint64_t>; // [begin, end)

    FaultyFile(const std::filesystem::path& mountPoint, uint64_t size,
               const std::vector<Stretch>& unreadable,
               std::chrono::microseconds failingReadDelay = std::chrono::microseconds(0));
    ~FaultyFile();
    FaultyFile(const FaultyFile&) = delete;
    FaultyFile& operator=(const FaultyFile&) = delete;

    // Empty when mounted, else why not.
    const std::string& Failure() const { return m_failure; }
    std::filesystem::path File() const { return m_mountPoint / "disk.img"; }
    // Reads of the file that failed since it was mounted.
    uint64_t FailedReads() const;

  private:
    std::filesystem::path m_mountPoint;
    pid_t m_pid = -1;
    std::string m_failure;
};

// Empty when FUSE can be used here, else the reason to skip.
std::string FuseUnavailable();

} // namespace testsupport
