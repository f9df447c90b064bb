#include "FaultyFile.h"

#include "Command.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {

std::string FuseUnavailable() {
    if (!fs::exists("/dev/fuse"))
        return "no FUSE support (/dev/fuse missing)";
    if (RunCommand("command -v fusermount3").exitCode != 0)
        return "fusermount3 missing (package fuse3)";
    if (!fs::exists(FAULTY_FS_PROGRAM))
        return "the FUSE test file system was not built";
    return {};
}

FaultyFile::FaultyFile(const fs::path& mountPoint, uint64_t size,
                       const std::vector<Stretch>& unreadable,
                       std::chrono::microseconds failingReadDelay)
    : m_mountPoint(mountPoint) {
    fs::create_directories(m_mountPoint);
    std::string bad;
    for (const auto& [begin, end] : unreadable)
        bad += (bad.empty() ? "" : ",") + std::to_string(begin) + "-" + std::to_string(end);
    m_pid = ::fork();
    if (m_pid == 0) {
        ::setenv("FAULTY_SIZE", std::to_string(size).c_str(), 1);
        ::setenv("FAULTY_BAD", bad.c_str(), 1);
        ::setenv("FAULTY_DELAY_US", std::to_string(failingReadDelay.count()).c_str(), 1);
        ::execl(FAULTY_FS_PROGRAM, FAULTY_FS_PROGRAM, m_mountPoint.c_str(), "-f", nullptr);
        ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        std::error_code ec;
        if (fs::exists(File(), ec))
            return;
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            m_failure = "the FUSE test file system exited without mounting";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    m_failure = "the FUSE test file system did not mount within 10 s";
}

uint64_t FaultyFile::FailedReads() const {
    std::ifstream count(m_mountPoint / "failed_reads");
    uint64_t n = 0;
    if (!(count >> n))
        throw std::runtime_error("cannot read the failing-read count of " + m_mountPoint.string());
    return n;
}

FaultyFile::~FaultyFile() {
    RunCommand("fusermount3 -u " + Quote(m_mountPoint.string()));
    if (m_pid > 0) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        int status = 0;
        while (::waitpid(m_pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(m_pid, SIGKILL);
                ::waitpid(m_pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
}

} // namespace testsupport
