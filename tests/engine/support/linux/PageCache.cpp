#include "PageCache.h"

#include <fcntl.h>
#include <stdexcept>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace testsupport {
namespace {

class Descriptor {
  public:
    explicit Descriptor(const std::filesystem::path& file)
        : m_fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (m_fd < 0)
            throw std::runtime_error("cannot open " + file.string());
    }
    ~Descriptor() { ::close(m_fd); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

  private:
    int m_fd;
};

} // namespace

uint64_t ResidentBytes(const std::filesystem::path& file) {
    const Descriptor fd(file);
    const off_t size = ::lseek(fd.Get(), 0, SEEK_END); // a device's length as well
    if (size <= 0)
        return 0;
    void* map = ::mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_SHARED, fd.Get(), 0);
    if (map == MAP_FAILED)
        throw std::runtime_error("cannot map " + file.string());
    const auto page = static_cast<uint64_t>(::sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> resident((static_cast<uint64_t>(size) + page - 1) / page);
    const int result = ::mincore(map, static_cast<size_t>(size), resident.data());
    ::munmap(map, static_cast<size_t>(size));
    if (result != 0)
        throw std::runtime_error("mincore failed on " + file.string());
    uint64_t pages = 0;
    for (const unsigned char flags : resident)
        pages += flags & 1;
    return pages * page;
}

void EvictFromCache(const std::filesystem::path& file) {
    const Descriptor fd(file);
    ::fsync(fd.Get());
    ::posix_fadvise(fd.Get(), 0, 0, POSIX_FADV_DONTNEED);
}

} // namespace testsupport
