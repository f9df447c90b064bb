// Drives are the drive letters of the logical-drive mask; disks are the
// physical drive numbers 0 to 255.
#include "host/HostQueries.h"

#include <windows.h>

namespace host {
namespace {

const QString kDevicePrefix = QStringLiteral("\\\\.\\");
const QString kDiskPrefix = QStringLiteral("\\\\.\\PHYSICALDRIVE");
constexpr unsigned kDiskNumbers = 256;

} // namespace

QList<Drive> LogicalDrives() {
    const DWORD mask = ::GetLogicalDrives();
    QList<Drive> drives;
    for (int index = 0; index < 26; ++index) {
        if ((mask & (DWORD{1} << index)) == 0)
            continue;
        const QString letter(QChar(u'A' + index));
        const QString root = letter + QStringLiteral(":\\");
        const UINT type = ::GetDriveTypeW(reinterpret_cast<LPCWSTR>(root.utf16()));
        drives << Drive{root, kDevicePrefix + letter + u':',
                        type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::Unknown};
    }
    return drives;
}

QList<DiskCandidate> WholeDisks() {
    QList<DiskCandidate> disks;
    for (unsigned n = 0; n < kDiskNumbers; ++n)
        disks << DiskCandidate{kDiskPrefix + QString::number(n), n, false};
    return disks;
}

// The kind is decided by the exact prefix, letter case included.
PathKind DevicePathKind(const QString& path) {
    if (path.startsWith(kDiskPrefix, Qt::CaseSensitive))
        return PathKind::WholeDisk;
    if (path.startsWith(kDevicePrefix, Qt::CaseSensitive))
        return PathKind::Volume;
    return PathKind::File;
}

// "\\.\C:" gives "C:".
QString VolumeSizeRoot(const QString& volumePath) {
    return volumePath.mid(kDevicePrefix.size());
}

} // namespace host
