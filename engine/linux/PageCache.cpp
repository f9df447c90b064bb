// Handing pages back to the kernel's page cache.
#include "platform/Storage.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace vorlik::os {

bool HasPageCache(Handle h) {
    struct stat st {};
    return ::fstat(static_cast<int>(h), &st) == 0 && (S_ISREG(st.st_mode) || S_ISBLK(st.st_mode));
}

void DropReadPages(Handle h, uint64_t offset, uint64_t length) {
    ::posix_fadvise(static_cast<int>(h), static_cast<off_t>(offset), static_cast<off_t>(length),
                    POSIX_FADV_DONTNEED);
}

bool DropWrittenPages(Handle h, uint64_t offset, uint64_t length, int& error) {
    const int fd = static_cast<int>(h);
    // Dirty pages would stay; once written back they can go. Waiting here
    // also reports a failed writeback, which a later fsync no longer sees.
    const unsigned flags =
        SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
    int result;
    do {
        result =
            ::sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(length), flags);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        error = errno;
        return false;
    }
    ::posix_fadvise(fd, static_cast<off_t>(offset), static_cast<off_t>(length),
                    POSIX_FADV_DONTNEED);
    return true;
}

} // namespace vorlik::os
