// Files and devices through POSIX descriptors.
#include "platform/Storage.h"

#include "classlib/Utf16.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <poll.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorlik::os {

int LastError() {
    return errno;
}

FileCause CauseFromError(int systemError) {
    switch (systemError) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
        return FileCause::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
        return FileCause::BadPath;
    case EMFILE:
    case ENFILE:
        return FileCause::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return FileCause::AccessDenied;
    case EBADF:
        return FileCause::InvalidFile;
    case ESPIPE:
    case EOVERFLOW:
        return FileCause::BadSeek;
    case EIO:
    case ENOMEDIUM:
    case EMEDIUMTYPE:
        return FileCause::HardIO;
    case EBUSY:
    case ETXTBSY:
        return FileCause::SharingViolation;
    case EAGAIN:
    case EDEADLK:
        return FileCause::LockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileCause::DiskFull;
    default:
        return FileCause::Generic;
    }
}

namespace {

int OpenRetrying(const std::string& path, int flags) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Sharing as Windows grants it: a source lets others read and write, a
// created file lets nobody in. Advisory locks stand in for the share modes,
// so a file being written cannot be read as a source, and a source cannot
// be emptied by a job that names it as its destination. A file system
// without such locks shares freely.
bool ShareAs(int fd, int lockOperation) {
    return ::flock(fd, lockOperation | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}

// A created destination is opened without waiting: a FIFO with no reader
// fails at once (ENXIO) instead of holding the job in open() beyond the
// reach of a stop. A FIFO stays non-blocking, so that a reader that stops
// reading holds a write only as long as the job wants to wait (see
// IsWriteBusy); anything else waits in its writes as usual.
int OpenDestinationFile(const std::string& path) {
    const int fd = OpenRetrying(path, O_WRONLY | O_CREAT | O_NONBLOCK);
    if (fd < 0)
        return fd;
    struct stat st {};
    const int flags = ::fcntl(fd, F_GETFL);
    const bool ready = ::fstat(fd, &st) == 0 && flags != -1 &&
                       (S_ISFIFO(st.st_mode) || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0);
    if (!ready) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

// Writes in order, for what cannot be written at an offset (a FIFO). A
// reader that goes away raises SIGPIPE, which would end the whole program:
// the signal is held back for this thread during the write and a pending
// one taken away, leaving EPIPE as the write's failure.
ssize_t WriteInOrder(int fd, const void* buffer, size_t count) {
    sigset_t pipeSignal, previous, pending;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    sigpending(&pending);
    const bool pendingBefore = sigismember(&pending, SIGPIPE) == 1;
    ssize_t n;
    do {
        n = ::write(fd, buffer, count);
    } while (n < 0 && errno == EINTR);
    const int error = errno;
    // Raised also by a write that got some bytes through before the reader left.
    sigpending(&pending);
    if (!pendingBefore && sigismember(&pending, SIGPIPE) == 1) {
        const timespec now{};
        while (sigtimedwait(&pipeSignal, nullptr, &now) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return n;
}

// Character devices and pipes (/dev/null, a FIFO) have nothing to empty.
bool EmptyIfRegular(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return false;
    return !S_ISREG(st.st_mode) || ::ftruncate(fd, 0) == 0;
}

// A folder opens for reading on Linux but is no source: refused as
// Windows refuses it, with access denied.
bool IsFolder(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

Handle Open(const std::u16string& path, OpenMode mode, int& error) {
    const std::string name = ToUtf8(path);
    const int fd = mode == OpenMode::ReadSource    ? OpenRetrying(name, O_RDONLY)
                   : mode == OpenMode::WriteDevice ? OpenRetrying(name, O_WRONLY)
                                                   : OpenDestinationFile(name);
    if (fd < 0) {
        error = errno;
        return kInvalidHandle;
    }
    if (IsFolder(fd)) {
        ::close(fd);
        error = EISDIR;
        return kInvalidHandle;
    }
    const bool shared = mode == OpenMode::ReadSource       ? ShareAs(fd, LOCK_SH)
                        : mode == OpenMode::CreateForWrite ? ShareAs(fd, LOCK_EX)
                                                           : true;
    // Emptied only once nobody else has it open as a source.
    if (!shared || (mode == OpenMode::CreateForWrite && !EmptyIfRegular(fd))) {
        error = shared ? errno : EBUSY;
        ::close(fd);
        return kInvalidHandle;
    }
    return fd;
}

bool ReadAt(Handle h, void* buffer, size_t count, uint64_t offset, size_t& got, int& error) {
    ssize_t n;
    do {
        n = ::pread(static_cast<int>(h), buffer, count, static_cast<off_t>(offset));
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        error = errno;
        got = 0;
        return false;
    }
    got = static_cast<size_t>(n);
    return true;
}

bool WriteAt(Handle h, const void* buffer, size_t count, uint64_t offset, size_t& put, int& error) {
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    put = 0;
    while (put < count) {
        ssize_t n = ::pwrite(static_cast<int>(h), bytes + put, count - put,
                             static_cast<off_t>(offset + put));
        if (n < 0 && errno == ESPIPE) // a FIFO: its bytes go in the order written
            n = WriteInOrder(static_cast<int>(h), bytes + put, count - put);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = errno;
            return false;
        }
        if (n == 0)
            break;
        put += static_cast<size_t>(n);
    }
    // Start writing the range to the medium now, so that the flush at the
    // end of the job finds little left to do. Advisory: a file that cannot
    // do this is flushed in full at the end.
    ::sync_file_range(static_cast<int>(h), static_cast<off_t>(offset), static_cast<off_t>(put),
                      SYNC_FILE_RANGE_WRITE);
    return true;
}

bool IsWriteBusy(int error) {
    return error == EAGAIN || error == EWOULDBLOCK;
}

void WaitWritable(Handle h, int msecs) {
    pollfd room{static_cast<int>(h), POLLOUT, 0};
    ::poll(&room, 1, msecs);
}

bool Flush(Handle h, int& error) {
    // EINVAL: a pipe or character device, which keeps nothing to sync.
    if (::fsync(static_cast<int>(h)) == 0 || errno == EINVAL)
        return true;
    error = errno;
    return false;
}

bool Close(Handle h, int& error) {
    // The descriptor is gone after close() whatever it answers; EINTR is no failure.
    if (::close(static_cast<int>(h)) == 0 || errno == EINTR)
        return true;
    error = errno;
    return false;
}

bool Length(Handle h, uint64_t& length, int& error) {
    struct stat st {};
    if (::fstat(static_cast<int>(h), &st) != 0) {
        error = errno;
        return false;
    }
    if (S_ISBLK(st.st_mode))
        return DiskLength(h, length) || ((error = errno), false);
    length = static_cast<uint64_t>(st.st_size);
    return true;
}

std::u16string FullPath(const std::u16string& path) {
    if (path.empty())
        return path;
    std::error_code ignored;
    const auto full = std::filesystem::absolute(ToUtf8(path), ignored);
    return full.empty() ? path : FromUtf8(full.string());
}

bool IsPathTooLong(const std::u16string&) {
    return false;
} // ENAMETOOLONG says it

bool IsPathSeparator(char16_t c) {
    return c == u'/';
}

bool DiskLength(Handle device, uint64_t& length) {
    const int fd = static_cast<int>(device);
    uint64_t bytes = 0;
    if (::ioctl(fd, BLKGETSIZE64, &bytes) == 0) {
        length = bytes;
        return true;
    }
    unsigned long sectors = 0; // the older query, in 512-byte units
    if (::ioctl(fd, BLKGETSIZE, &sectors) == 0) {
        length = static_cast<uint64_t>(sectors) * 512u;
        return true;
    }
    return false;
}

} // namespace vorlik::os
