// Files and devices through Windows handles.
#include "platform/Storage.h"

#include "WinHandles.h"

#include <algorithm>
#include <windows.h>

namespace vorlik::os {
namespace {

using win::FromHandle;
using win::ToHandle;
using win::Wide;

// ReadFile and WriteFile count in 32 bits.
constexpr size_t kMaxTransfer = 1u << 30;

struct CreateArguments {
    DWORD access;
    DWORD share;
    DWORD disposition;
};

CreateArguments ArgumentsFor(OpenMode mode) {
    switch (mode) {
    case OpenMode::ReadSource:
        return {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING};
    case OpenMode::WriteDevice:
        return {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING};
    case OpenMode::CreateForWrite:
        break;
    }
    return {GENERIC_WRITE, 0, CREATE_ALWAYS};
}

bool PlacePointer(HANDLE h, uint64_t offset) {
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(h, distance, nullptr, FILE_BEGIN) != FALSE;
}

} // namespace

int LastError() {
    return static_cast<int>(GetLastError());
}

FileCause CauseFromError(int systemError) {
    switch (systemError) {
    case ERROR_FILE_NOT_FOUND:
        return FileCause::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return FileCause::BadPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return FileCause::TooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return FileCause::AccessDenied;
    case ERROR_INVALID_HANDLE:
        return FileCause::InvalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return FileCause::RemoveCurrentDir;
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_NEGATIVE_SEEK:
        return FileCause::BadSeek;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_NO_MEDIA_IN_DRIVE:
        return FileCause::HardIO;
    case ERROR_SHARING_VIOLATION:
        return FileCause::SharingViolation;
    case ERROR_LOCK_VIOLATION:
        return FileCause::LockViolation;
    case ERROR_HANDLE_EOF:
        return FileCause::EndOfFile;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return FileCause::DiskFull;
    default:
        return FileCause::Generic;
    }
}

Handle Open(const std::u16string& path, OpenMode mode, int& error) {
    const CreateArguments args = ArgumentsFor(mode);
    const HANDLE h = CreateFileW(Wide(path), args.access, args.share, nullptr, args.disposition,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = LastError();
        return kInvalidHandle;
    }
    return FromHandle(h);
}

bool ReadAt(Handle h, void* buffer, size_t count, uint64_t offset, size_t& got, int& error) {
    got = 0;
    DWORD n = 0;
    const auto ask = static_cast<DWORD>(std::min(count, kMaxTransfer));
    if (!PlacePointer(ToHandle(h), offset) || !ReadFile(ToHandle(h), buffer, ask, &n, nullptr)) {
        error = LastError();
        return false;
    }
    got = n;
    return true;
}

bool WriteAt(Handle h, const void* buffer, size_t count, uint64_t offset, size_t& put, int& error) {
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    put = 0;
    if (!PlacePointer(ToHandle(h), offset)) {
        error = LastError();
        return false;
    }
    while (put < count) {
        DWORD n = 0;
        const auto ask = static_cast<DWORD>(std::min(count - put, kMaxTransfer));
        if (!WriteFile(ToHandle(h), bytes + put, ask, &n, nullptr)) {
            error = LastError();
            return false;
        }
        if (n == 0)
            break; // the medium takes no more
        put += n;
    }
    return true;
}

// Writes on Windows wait in WriteFile until the destination took the bytes.
bool IsWriteBusy(int) {
    return false;
}

void WaitWritable(Handle, int msecs) {
    Sleep(static_cast<DWORD>(msecs));
}

bool Flush(Handle h, int& error) {
    if (FlushFileBuffers(ToHandle(h)))
        return true;
    error = LastError();
    // A character device or pipe (NUL, a console) keeps nothing to flush.
    const DWORD type = GetFileType(ToHandle(h));
    return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
}

bool Close(Handle h, int& error) {
    if (CloseHandle(ToHandle(h)))
        return true;
    error = LastError();
    return false;
}

bool Length(Handle h, uint64_t& length, int& error) {
    LARGE_INTEGER size;
    const bool sized = GetFileSizeEx(ToHandle(h), &size) != FALSE;
    if (sized && size.QuadPart > 0) {
        length = static_cast<uint64_t>(size.QuadPart);
        return true;
    }
    // Disks and volumes have no file size of their own; they answer the
    // length query.
    const int sizeError = LastError();
    if (DiskLength(h, length))
        return true;
    if (!sized) {
        error = sizeError;
        return false;
    }
    length = 0;
    return true;
}

std::u16string FullPath(const std::u16string& path) {
    if (path.empty())
        return path;
    const DWORD needed = GetFullPathNameW(Wide(path), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::u16string full(needed, u'\0');
    const DWORD written =
        GetFullPathNameW(Wide(path), needed, reinterpret_cast<wchar_t*>(full.data()), nullptr);
    if (written == 0 || written >= needed)
        return path;
    full.resize(written);
    return full;
}

bool IsPathTooLong(const std::u16string& fullPath) {
    return fullPath.size() >= MAX_PATH;
}

bool IsPathSeparator(char16_t c) {
    return c == u'\\' || c == u':';
}

} // namespace vorlik::os
