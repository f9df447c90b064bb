// A named pipe as the destination: without a reader the job fails at its
// open instead of waiting there; with a reader every byte arrives in order.
#include "JobRecorder.h"
#include "TempDir.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace testsupport;
namespace fs = std::filesystem;

namespace {

constexpr uint64_t kSourceSize = 3 * 512 * 1024 + 9;

// A FIFO in the test's folder.
fs::path MakeFifo(const TempDir& dir) {
    const fs::path fifo = dir / "pipe";
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0) << std::strerror(errno);
    return fifo;
}

// Everything written into the FIFO until its writer closes it. The read end
// is opened before the job starts, so that the job finds a reader.
class FifoReader {
  public:
    explicit FifoReader(const fs::path& fifo)
        : m_fd(::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
        EXPECT_GE(m_fd, 0) << std::strerror(errno);
        m_bytes = std::async(std::launch::async, [this] { return ReadToEnd(); });
    }
    ~FifoReader() {
        if (m_bytes.valid())
            m_bytes.wait();
        if (m_fd >= 0)
            ::close(m_fd);
    }
    std::vector<uint8_t> Bytes() { return m_bytes.get(); }

  private:
    // A FIFO reports its end only once a writer has come and gone.
    std::vector<uint8_t> ReadToEnd() const {
        std::vector<uint8_t> bytes;
        std::vector<uint8_t> chunk(65536);
        for (;;) {
            pollfd ready{m_fd, POLLIN, 0};
            if (::poll(&ready, 1, -1) < 0 && errno != EINTR)
                return bytes;
            const ssize_t n = ::read(m_fd, chunk.data(), chunk.size());
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
                return bytes;
            if (n > 0)
                bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + n);
        }
    }

    int m_fd;
    std::future<std::vector<uint8_t>> m_bytes;
};

TEST(FifoDestination, WithoutAReaderFailsAtOnce) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", kSourceSize);
    const fs::path fifo = MakeFifo(dir);
    JobRecorder job;

    auto result = std::async(std::launch::async, [&] { return job.Run(dir / "source.bin", fifo); });
    if (result.wait_for(std::chrono::seconds(30)) == std::future_status::timeout) {
        // Release the job held in its open before failing, so the test ends.
        const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        result.wait();
        ::close(reader);
        FAIL() << "the job waited for a reader";
    }

    EXPECT_EQ(result.get(), 0);
    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT),
              "Error 4: Cannot create the destination file. " + fifo.string() + " was not found.");
    EXPECT_EQ(job.Count(JOBMSG_QUERY_ABORT), 0u);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 0u);
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
}

TEST(FifoDestination, WithAReaderReceivesEveryByte) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", kSourceSize);
    const fs::path fifo = MakeFifo(dir);
    FifoReader reader(fifo);
    JobRecorder job;

    EXPECT_EQ(job.Run(dir / "source.bin", fifo), 1);

    EXPECT_EQ(job.Count(JOBMSG_LOG_TEXT), 0u);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), kSourceSize);
    EXPECT_EQ(reader.Bytes(), ReadFileBytes(dir / "source.bin"));
}

// A reader that keeps the FIFO open but reads nothing holds the job only
// until it is stopped.
TEST(FifoDestination, AReaderThatStopsReadingDoesNotHoldAStop) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", kSourceSize);
    const fs::path fifo = MakeFifo(dir);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    JobRecorder job;
    job.StopAtQuery(3); // the first asks before the first read, the others while the write waits

    auto result = std::async(std::launch::async, [&] { return job.Run(dir / "source.bin", fifo); });
    if (result.wait_for(std::chrono::seconds(30)) == std::future_status::timeout) {
        // Drain the FIFO so that the job can end, then fail.
        std::vector<uint8_t> chunk(65536);
        while (result.wait_for(std::chrono::milliseconds(10)) == std::future_status::timeout)
            (void)!::read(reader, chunk.data(), chunk.size());
        ::close(reader);
        FAIL() << "the stop did not reach the waiting write";
    }
    ::close(reader);

    EXPECT_EQ(result.get(), 0);
    EXPECT_EQ(job.Count(JOBMSG_LOG_TEXT), 0u);
    EXPECT_EQ(job.Value(JOBMSG_TOTAL_BYTES), 0u);
}

// A reader that leaves mid-copy ends the job with a failure, not the
// program: the broken pipe is reported as the write's failure.
TEST(FifoDestination, AReaderThatLeavesFailsTheJob) {
    TempDir dir;
    WritePatternFile(dir / "source.bin", kSourceSize);
    const fs::path fifo = MakeFifo(dir);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    JobRecorder job;
    auto result = std::async(std::launch::async, [&] { return job.Run(dir / "source.bin", fifo); });
    // Take a little of the first transfer, then leave.
    std::vector<uint8_t> chunk(4096);
    pollfd ready{reader, POLLIN, 0};
    ASSERT_EQ(::poll(&ready, 1, 30000), 1);
    EXPECT_GT(::read(reader, chunk.data(), chunk.size()), 0);
    ::close(reader);

    EXPECT_EQ(result.get(), 0); // not even the first transfer got through
    EXPECT_EQ(job.Text(JOBMSG_LOG_TEXT),
              "Error 2: General error. An unknown error occurred while accessing " + fifo.string() +
                  ".");
}

} // namespace
