// A lock on a disk or volume is an exclusive open of its node: the kernel
// refuses it (EBUSY) while the device is mounted or held, and refuses every
// mount and exclusive open of the device while the lock is held.
//
// The kernel also refuses an exclusive open of a partition while its whole
// disk is held exclusively, even by this process; such a partition cannot be
// mounted or claimed by anyone else either, so it counts as locked through
// the disk's lock.
#include "platform/Storage.h"

#include "BlockDevices.h"
#include "classlib/Utf16.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace vorlik::os {
namespace {

std::mutex heldMutex;
std::multiset<dev_t> heldDisks; // whole disks this process holds exclusively

std::optional<dev_t> DeviceOf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISBLK(st.st_mode))
        return std::nullopt;
    return st.st_rdev;
}

bool IsHeldByUs(dev_t disk) {
    std::lock_guard<std::mutex> guard(heldMutex);
    return heldDisks.count(disk) > 0;
}

int OpenExclusive(const std::string& node) {
    int fd;
    do {
        fd = ::open(node.c_str(), O_RDONLY | O_EXCL | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

bool LockVolume(Handle, const std::u16string& path, Handle& token) {
    const int fd = OpenExclusive(ToUtf8(path));
    if (fd < 0)
        return false;
    const auto device = DeviceOf(fd);
    if (device && !blockdev::IsPartition(*device)) {
        std::lock_guard<std::mutex> guard(heldMutex);
        heldDisks.insert(*device);
    }
    token = fd;
    return true;
}

bool UnlockVolume(Handle token) {
    const int fd = static_cast<int>(token);
    if (const auto device = DeviceOf(fd)) {
        std::lock_guard<std::mutex> guard(heldMutex);
        if (const auto it = heldDisks.find(*device); it != heldDisks.end())
            heldDisks.erase(it);
    }
    return ::close(fd) == 0;
}

bool LockDiskVolumes(LockedVolumes& locked, uint32_t diskNumber) {
    locked.clear();
    if (diskNumber == kNoDisk)
        return true;
    const dev_t disk = blockdev::DecodeDiskNumber(diskNumber);
    bool allLocked = true;
    for (const auto& partition : blockdev::PartitionsOf(disk)) {
        const int fd = OpenExclusive("/dev/" + partition.name);
        if (fd >= 0) {
            locked.push_back(fd);
        } else if (errno == EBUSY) {
            const bool coveredByDiskLock = IsHeldByUs(disk) && !blockdev::IsInUse(partition.device);
            allLocked = allLocked && coveredByDiskLock;
        }
        // A partition whose node cannot be opened otherwise is passed over.
    }
    return allLocked;
}

bool ReleaseVolumes(LockedVolumes& locked) {
    bool ok = true;
    for (const Handle fd : locked) {
        if (fd != kInvalidHandle)
            ok = ::close(static_cast<int>(fd)) == 0 && ok;
    }
    locked.clear();
    return ok;
}

} // namespace vorlik::os
