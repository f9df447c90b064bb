// Drives are volumes: partitions, and whole disks that carry a mounted file
// system directly. Disks are the whole-disk block devices.
#include "host/HostQueries.h"

#include "SysfsBlockDevices.h"

#include <QFile>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace host {
namespace {

using linux_host::BlockDevice;

DriveType TypeOf(const BlockDevice& device) {
    if (device.diskName.startsWith(QStringLiteral("sr")))
        return DriveType::CdRom;
    if (device.diskName.startsWith(QStringLiteral("ram")) ||
        device.diskName.startsWith(QStringLiteral("zram")))
        return DriveType::RamDisk;
    return device.removable ? DriveType::Removable : DriveType::Fixed;
}

bool IsPartitionNode(dev_t device) {
    return QFile::exists(
        QStringLiteral("/sys/dev/block/%1:%2/partition").arg(major(device)).arg(minor(device)));
}

} // namespace

QList<Drive> LogicalDrives() {
    const QHash<dev_t, QString> mounts = linux_host::MountPoints();
    QList<Drive> drives;
    for (const BlockDevice& device : linux_host::BlockDevices()) {
        const QString mountPoint = mounts.value(device.device);
        if (linux_host::HoldsNothing(device) || (!device.isPartition && mountPoint.isEmpty()))
            continue;
        drives << Drive{mountPoint.isEmpty() ? device.node : mountPoint, device.node,
                        TypeOf(device)};
    }
    return drives;
}

QList<DiskCandidate> WholeDisks() {
    QList<DiskCandidate> disks;
    for (const BlockDevice& device : linux_host::BlockDevices()) {
        if (device.isPartition || linux_host::HoldsNothing(device))
            continue;
        disks << DiskCandidate{device.node, std::nullopt, device.sizeBytes == 0};
    }
    return disks;
}

PathKind DevicePathKind(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISBLK(st.st_mode))
        return PathKind::File;
    return IsPartitionNode(st.st_rdev) ? PathKind::Volume : PathKind::WholeDisk;
}

QString VolumeSizeRoot(const QString& volumePath) {
    return volumePath;
}

} // namespace host
