// Exclusive use of a destination disk or volume, and of every volume on a
// destination disk, through the file system's volume locks.
#include "platform/Storage.h"

#include "DeviceControl.h"
#include "WinHandles.h"

#include <algorithm>
#include <winioctl.h>

namespace vorlik::os {
namespace {

using win::FromHandle;
using win::ToHandle;

bool LiesOnDisk(HANDLE volume, uint32_t diskNumber) {
    std::vector<uint32_t> disks;
    if (!win::VolumeDiskNumbers(&DeviceIoControl, volume, disks))
        return false;
    return std::find(disks.begin(), disks.end(), diskNumber) != disks.end();
}

// Locks one enumerated volume when it lies on the disk; false only when
// such a volume refuses the lock.
bool LockIfOnDisk(std::u16string volumeName, uint32_t diskNumber, LockedVolumes& locked) {
    if (!volumeName.empty())
        volumeName.pop_back(); // the trailing backslash names the root folder
    const HANDLE volume =
        CreateFileW(win::Wide(volumeName), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (volume == INVALID_HANDLE_VALUE)
        return true;
    if (!LiesOnDisk(volume, diskNumber)) {
        CloseHandle(volume);
        return true;
    }
    if (win::Request(&DeviceIoControl, volume, FSCTL_LOCK_VOLUME)) {
        locked.push_back(FromHandle(volume));
        return true;
    }
    CloseHandle(volume);
    return false;
}

} // namespace

// The destination's own handle holds its lock.
bool LockVolume(Handle target, const std::u16string&, Handle& token) {
    if (!win::Request(&DeviceIoControl, ToHandle(target), FSCTL_LOCK_VOLUME))
        return false;
    token = target;
    return true;
}

// The handle stays open: the job closes its destination itself.
bool UnlockVolume(Handle token) {
    return win::Request(&DeviceIoControl, ToHandle(token), FSCTL_UNLOCK_VOLUME);
}

bool LockDiskVolumes(LockedVolumes& locked, uint32_t diskNumber) {
    locked.clear();
    wchar_t name[MAX_PATH + 1] = {};
    const HANDLE search = FindFirstVolumeW(name, MAX_PATH);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    bool allLocked = true;
    do {
        const std::u16string volumeName(reinterpret_cast<const char16_t*>(name));
        allLocked = LockIfOnDisk(volumeName, diskNumber, locked) && allLocked;
    } while (FindNextVolumeW(search, name, MAX_PATH));
    FindVolumeClose(search);
    return allLocked;
}

bool ReleaseVolumes(LockedVolumes& locked) {
    bool ok = true;
    for (const Handle volume : locked) {
        if (volume == kInvalidHandle)
            continue;
        ok = win::Request(&DeviceIoControl, ToHandle(volume), FSCTL_UNLOCK_VOLUME) && ok;
        ok = CloseHandle(ToHandle(volume)) != FALSE && ok;
    }
    locked.clear();
    return ok;
}

} // namespace vorlik::os
