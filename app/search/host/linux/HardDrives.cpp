// The mount table read against sysfs: a mount whose source is a block
// device of the fixed type is a hard drive.
#include "host/HardDrives.h"

#include "host/linux/SysfsBlockDevices.h"

#include <QCollator>
#include <QFile>
#include <QHash>
#include <QLocale>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>

namespace host {
namespace {

using linux_host::BlockDevice;

struct Mount {
    uint64_t fileSystem = 0; // the device number its files report
    QString mountPoint;
    QString source;
};

QList<Mount> MountTable() {
    QList<Mount> mounts;
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return mounts;
    for (const QByteArray& line : table.readAll().split('\n')) {
        // id parent major:minor root mount-point options [optional...] - type source super-options
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf("-");
        if (fields.size() < 5 || separator < 0 || separator + 2 >= fields.size())
            continue;
        const QList<QByteArray> majorMinor = fields[2].split(':');
        if (majorMinor.size() != 2)
            continue;
        mounts << Mount{
            makedev(majorMinor[0].toUInt(), majorMinor[1].toUInt()),
            linux_host::UnescapeMountField(QString::fromLocal8Bit(fields[4])),
            linux_host::UnescapeMountField(QString::fromLocal8Bit(fields[separator + 2]))};
    }
    return mounts;
}

// Fixed as the drive list types it: not removable, not a CD, not a RAM disk.
bool IsFixed(const BlockDevice& device) {
    return !device.removable && !device.diskName.startsWith(QStringLiteral("sr")) &&
           !device.diskName.startsWith(QStringLiteral("ram")) &&
           !device.diskName.startsWith(QStringLiteral("zram"));
}

bool IsFixedSource(const QString& source, const QHash<dev_t, BlockDevice>& devices) {
    struct stat st {};
    if (!source.startsWith(u'/') || ::stat(QFile::encodeName(source).constData(), &st) != 0 ||
        !S_ISBLK(st.st_mode))
        return false;
    const auto device = devices.constFind(st.st_rdev);
    return device != devices.constEnd() && IsFixed(*device);
}

bool IsFolder(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

HardDrives LocalHardDrives() {
    QHash<dev_t, BlockDevice> devices;
    for (const BlockDevice& device : linux_host::BlockDevices())
        devices.insert(device.device, device);
    HardDrives drives;
    for (const Mount& mount : MountTable()) {
        if (!IsFixedSource(mount.source, devices)) {
            drives.otherFileSystems.push_back(mount.fileSystem);
        } else if (!drives.roots.contains(mount.mountPoint) && IsFolder(mount.mountPoint)) {
            // Files bind-mounted over files (as containers do) are no roots.
            drives.roots << mount.mountPoint;
        }
    }
    QCollator natural(QLocale(QLocale::English));
    natural.setNumericMode(true);
    std::sort(drives.roots.begin(), drives.roots.end(), natural);
    return drives;
}

} // namespace host
