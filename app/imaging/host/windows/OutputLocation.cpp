// A file lies on a volume when its drive part names the volume's letter; it
// lies on a disk when one of its volume's extents is on that disk.
#include "imaging/host/OutputLocation.h"

#include <QDir>
#include <QFileInfo>
#include <vector>
#include <windows.h>
#include <winioctl.h>

namespace host {
namespace {

const QString kDevicePrefix = "\\\\.\\";
const QString kDiskPrefix = "\\\\.\\PHYSICALDRIVE";

QString DrivePart(const QString& file) {
    const QString full = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
    return full.left(2);
}

std::vector<DWORD> DisksOfVolume(const QString& volume) {
    std::vector<DWORD> disks;
    const HANDLE h =
        CreateFileW(reinterpret_cast<LPCWSTR>(volume.utf16()), 0,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return disks;
    std::vector<char> buffer(sizeof(VOLUME_DISK_EXTENTS) + 31 * sizeof(DISK_EXTENT));
    DWORD returned = 0;
    if (DeviceIoControl(h, IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS, nullptr, 0, buffer.data(),
                        static_cast<DWORD>(buffer.size()), &returned, nullptr)) {
        const auto* extents = reinterpret_cast<const VOLUME_DISK_EXTENTS*>(buffer.data());
        for (DWORD i = 0; i < extents->NumberOfDiskExtents; ++i)
            disks.push_back(extents->Extents[i].DiskNumber);
    }
    CloseHandle(h);
    return disks;
}

} // namespace

bool FileLiesOnVolume(const QString& file, const QString& volumeDevice) {
    if (!volumeDevice.startsWith(kDevicePrefix) || volumeDevice.startsWith(kDiskPrefix))
        return false;
    return volumeDevice.mid(kDevicePrefix.size()).compare(DrivePart(file), Qt::CaseInsensitive) ==
           0;
}

bool FileLiesOnDisk(const QString& file, const QString& diskDevice) {
    if (!diskDevice.startsWith(kDiskPrefix))
        return false;
    bool ok = false;
    const DWORD disk = diskDevice.mid(kDiskPrefix.size()).toULong(&ok);
    if (!ok)
        return false;
    for (const DWORD d : DisksOfVolume(kDevicePrefix + DrivePart(file)))
        if (d == disk)
            return true;
    return false;
}

} // namespace host
