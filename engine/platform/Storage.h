// The storage services the engine needs from the operating system. One
// implementation per OS lives in engine/<os>/, chosen by the build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vorlik::os {

using Handle = intptr_t;                     // file descriptor or HANDLE
inline constexpr Handle kInvalidHandle = -1; // what a failed open yields

enum class OpenMode {
    ReadSource,    // read; others may read and write; must exist
    WriteDevice,   // write; others may read and write; must exist
    CreateForWrite // write; no sharing; created, an existing file emptied
};

// Failure causes of the file class, in the order of CFileException.
enum class FileCause : int {
    None = 0,
    Generic,
    FileNotFound,
    BadPath,
    TooManyOpenFiles,
    AccessDenied,
    InvalidFile,
    RemoveCurrentDir,
    DirectoryFull,
    BadSeek,
    HardIO,
    SharingViolation,
    LockViolation,
    DiskFull,
    EndOfFile
};

// The last system error number of the calling thread (errno, GetLastError).
int LastError();
FileCause CauseFromError(int systemError);

// Files and devices. On failure the functions return false (or
// kInvalidHandle) and set `error` to the system error number.
Handle Open(const std::u16string& path, OpenMode mode, int& error);
bool ReadAt(Handle h, void* buffer, size_t count, uint64_t offset, size_t& got, int& error);
bool WriteAt(Handle h, const void* buffer, size_t count, uint64_t offset, size_t& put, int& error);
// A write that failed only because the destination takes nothing more for
// now (a FIFO whose reader is slow); `put` counts what went through. The
// writer waits for room with WaitWritable, up to `msecs`, and tries again.
bool IsWriteBusy(int error);
void WaitWritable(Handle h, int msecs);
bool Flush(Handle h, int& error);
bool Close(Handle h, int& error);
// Bytes in a file, or the length of a device.
bool Length(Handle h, uint64_t& length, int& error);
// The absolute form of a path, as recorded when a file is opened.
std::u16string FullPath(const std::u16string& path);
// True when the OS refuses the path for its length before opening anything.
bool IsPathTooLong(const std::u16string& fullPath);
// Where a path's last component begins: after the last of these characters.
bool IsPathSeparator(char16_t c);

// True when writing to `destination` would overwrite what the open source
// reads, whatever names the two paths use: the same disk or volume, a disk
// and a volume on it, a file and the disk or volume it backs. `error` is
// then the system's number for a sharing violation.
bool OverlapsSource(Handle source, const std::u16string& destination, int& error);

// The system's page cache. A job hands back the pages of the ranges it has
// finished with, so that imaging a large disk leaves other programs' data in
// memory. Where the system offers no such control these do nothing.
// Whether reads and writes through the handle go through the page cache.
bool HasPageCache(Handle h);
// Hands back the cached pages of a range that has been read; advisory.
void DropReadPages(Handle h, uint64_t offset, uint64_t length);
// Waits until the writes of a range have reached the medium, then hands
// back its pages. False, with `error`, when writing the range failed.
bool DropWrittenPages(Handle h, uint64_t offset, uint64_t length, int& error);

// Path kinds.
bool IsPhysicalDrivePath(const std::u16string& path);
bool IsDevicePath(const std::u16string& path);
inline constexpr uint32_t kNoDisk = 0xFFFFFFFFu;
uint32_t GetDiskNumber(const std::u16string& path);
// What the source reader hands to the volume size query for a volume path.
std::u16string VolumeSizeRoot(const std::u16string& volumePath);

// Sizes behind the engine's two measuring exports.
bool DiskLength(Handle device, uint64_t& length);
bool VolumeTotalSize(const std::u16string& rootPath, uint64_t& total);

// Exclusive use of a disk or volume opened as a destination. The token is
// what UnlockVolume needs to give the lock back.
bool LockVolume(Handle target, const std::u16string& path, Handle& token);
bool UnlockVolume(Handle token);

// Locks every volume that lies on the given disk; a refused lock makes the
// result false but the walk goes on. ReleaseVolumes gives every lock back.
using LockedVolumes = std::vector<Handle>;
bool LockDiskVolumes(LockedVolumes& locked, uint32_t diskNumber);
bool ReleaseVolumes(LockedVolumes& locked);

// Makes the system read the disk's partition layout again; result ignored.
void UpdateDiskProperties(Handle disk);

} // namespace vorlik::os
