// Model, serial number and removability come from the whole disk's sysfs
// folder; mounts from the mount table.
#include "host/DeviceDetails.h"

#include "SysfsBlockDevices.h"

#include <QFile>

#include <algorithm>

#include <sys/stat.h>

namespace host {
namespace {

using linux_host::BlockDevice;

QString ReadSysfs(const QString& disk, const QString& file) {
    QFile in(QStringLiteral("/sys/class/block/") + disk + u'/' + file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(in.readLine()).trimmed();
}

// SCSI and SATA disks keep their serial number under device/, NVMe and
// virtio disks beside it.
QString SerialOf(const QString& disk) {
    const QString serial = ReadSysfs(disk, QStringLiteral("device/serial"));
    return serial.isEmpty() ? ReadSysfs(disk, QStringLiteral("serial")) : serial;
}

dev_t DeviceNumber(const QString& node) {
    struct stat st {};
    if (::stat(QFile::encodeName(node).constData(), &st) != 0 || !S_ISBLK(st.st_mode))
        return 0;
    return st.st_rdev;
}

} // namespace

DeviceDetails DescribeDevice(const QString& device) {
    const dev_t number = DeviceNumber(device);
    const QList<BlockDevice> devices = linux_host::BlockDevices();
    const auto self = std::find_if(devices.begin(), devices.end(),
                                   [number](const BlockDevice& d) { return d.device == number; });
    if (number == 0 || self == devices.end())
        return {};
    DeviceDetails details;
    details.model = ReadSysfs(self->diskName, QStringLiteral("device/model"));
    details.serial = SerialOf(self->diskName);
    details.removable = self->removable;
    const QHash<dev_t, QString> mounts = linux_host::MountPoints();
    for (const BlockDevice& other : devices) {
        const bool belongs = other.device == number || (!self->isPartition && other.isPartition &&
                                                        other.diskName == self->diskName);
        if (belongs && mounts.contains(other.device))
            details.mounts << MountedVolume{other.node, mounts.value(other.device)};
    }
    return details;
}

} // namespace host
