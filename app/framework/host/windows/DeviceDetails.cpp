// Model, serial number and removability from the storage property query;
// mounts are the drive letters whose volume lies on the disk.
#include "host/DeviceDetails.h"

#include <windows.h>
#include <winioctl.h>

#include <vector>

namespace host {
namespace {

const QString kDevicePrefix = QStringLiteral("\\\\.\\");
const QString kDiskPrefix = QStringLiteral("\\\\.\\PHYSICALDRIVE");

class Handle {
  public:
    explicit Handle(const QString& path)
        : m_handle(::CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), 0,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                 nullptr)) {}
    ~Handle() {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return m_handle; }

  private:
    HANDLE m_handle;
};

QString DescriptorText(const std::vector<char>& buffer, DWORD offset) {
    if (offset == 0 || offset >= buffer.size())
        return {};
    return QString::fromLatin1(buffer.data() + offset).trimmed();
}

void ReadStorageProperty(const QString& device, DeviceDetails& details) {
    const Handle handle(device);
    if (handle.Get() == INVALID_HANDLE_VALUE)
        return;
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    std::vector<char> buffer(4096);
    DWORD returned = 0;
    if (!::DeviceIoControl(handle.Get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query),
                           buffer.data(), static_cast<DWORD>(buffer.size()), &returned, nullptr) ||
        returned < sizeof(STORAGE_DEVICE_DESCRIPTOR))
        return;
    const auto* descriptor = reinterpret_cast<const STORAGE_DEVICE_DESCRIPTOR*>(buffer.data());
    details.model = DescriptorText(buffer, descriptor->ProductIdOffset);
    details.serial = DescriptorText(buffer, descriptor->SerialNumberOffset);
    details.removable = descriptor->RemovableMedia != FALSE;
}

// The disk number that the volume of a drive letter lies on; -1 when none.
long DiskNumberOfVolume(const QString& volume) {
    const Handle handle(volume);
    VOLUME_DISK_EXTENTS extents{};
    DWORD returned = 0;
    if (handle.Get() == INVALID_HANDLE_VALUE ||
        !::DeviceIoControl(handle.Get(), IOCTL_VOLUME_GET_VOLUME_DISK_EXTENTS, nullptr, 0, &extents,
                           sizeof(extents), &returned, nullptr) ||
        extents.NumberOfDiskExtents == 0)
        return -1;
    return static_cast<long>(extents.Extents[0].DiskNumber);
}

} // namespace

DeviceDetails DescribeDevice(const QString& device) {
    DeviceDetails details;
    ReadStorageProperty(device, details);
    const bool isDisk = device.startsWith(kDiskPrefix, Qt::CaseSensitive);
    const long diskNumber = isDisk ? device.mid(kDiskPrefix.size()).toLong() : -1;
    const DWORD mask = ::GetLogicalDrives();
    for (int index = 0; index < 26; ++index) {
        if ((mask & (DWORD{1} << index)) == 0)
            continue;
        const QString letter(QChar(u'A' + index));
        const QString volume = kDevicePrefix + letter + u':';
        const bool belongs = isDisk ? DiskNumberOfVolume(volume) == diskNumber
                                    : volume.compare(device, Qt::CaseInsensitive) == 0;
        if (belongs)
            details.mounts << MountedVolume{volume, letter + QStringLiteral(":\\")};
    }
    return details;
}

} // namespace host
