#include "DeviceControl.h"

#include "WinHandles.h"
#include "platform/Storage.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <winioctl.h>

namespace vorlik::os::win {
namespace {

constexpr size_t kExtentsHead = offsetof(VOLUME_DISK_EXTENTS, Extents);

bool QueryExtents(DeviceControl control, HANDLE volume, std::vector<unsigned char>& buffer) {
    DWORD returned = 0;
    return control(volume, IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS, nullptr, 0, buffer.data(),
                   static_cast<DWORD>(buffer.size()), &returned, nullptr) != FALSE;
}

DWORD ExtentCount(const std::vector<unsigned char>& buffer) {
    VOLUME_DISK_EXTENTS head{};
    std::memcpy(&head, buffer.data(), kExtentsHead);
    return head.NumberOfDiskExtents;
}

} // namespace

bool Request(DeviceControl control, HANDLE device, DWORD code) {
    DWORD returned = 0;
    return control(device, code, nullptr, 0, nullptr, 0, &returned, nullptr) != FALSE;
}

bool DiskLengthThrough(DeviceControl control, HANDLE device, uint64_t& length) {
    DWORD returned = 0;
    GET_LENGTH_INFORMATION info{};
    if (control(device, IOCTL_DISK_GET_LENGTH_INFO, nullptr, 0, &info, sizeof(info), &returned,
                nullptr)) {
        length = static_cast<uint64_t>(info.Length.QuadPart);
        return true;
    }
    // Older drivers answer only the geometry.
    DISK_GEOMETRY geometry{};
    if (control(device, IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry, sizeof(geometry),
                &returned, nullptr)) {
        length = uint64_t{geometry.BytesPerSector} * geometry.SectorsPerTrack *
                 geometry.TracksPerCylinder * static_cast<uint64_t>(geometry.Cylinders.QuadPart);
        return true;
    }
    return false;
}

bool VolumeDiskNumbers(DeviceControl control, HANDLE volume, std::vector<uint32_t>& disks) {
    // Room for one extent first; a volume spread wider says how many it has.
    std::vector<unsigned char> buffer(sizeof(VOLUME_DISK_EXTENTS));
    if (!QueryExtents(control, volume, buffer)) {
        if (GetLastError() != ERROR_MORE_DATA)
            return false;
        buffer.assign(kExtentsHead + sizeof(DISK_EXTENT) * size_t{ExtentCount(buffer)}, 0);
        if (!QueryExtents(control, volume, buffer))
            return false;
    }
    const size_t fitting = (buffer.size() - kExtentsHead) / sizeof(DISK_EXTENT);
    const size_t count = std::min<size_t>(ExtentCount(buffer), fitting);
    disks.clear();
    for (size_t i = 0; i < count; ++i) {
        DISK_EXTENT extent{};
        std::memcpy(&extent, buffer.data() + kExtentsHead + i * sizeof(DISK_EXTENT),
                    sizeof(extent));
        disks.push_back(extent.DiskNumber);
    }
    return true;
}

} // namespace vorlik::os::win

namespace vorlik::os {

bool DiskLength(Handle device, uint64_t& length) {
    return win::DiskLengthThrough(&DeviceIoControl, win::ToHandle(device), length);
}

void UpdateDiskProperties(Handle disk) {
    win::Request(&DeviceIoControl, win::ToHandle(disk), IOCTL_DISK_UPDATE_PROPERTIES);
}

} // namespace vorlik::os
