// A file lies on a block device when the file system holding its folder is
// mounted from that device (or, for a disk, from one of its partitions).
#include "imaging/host/OutputLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace host {
namespace {

// The device of the file system that holds `file`, found through its
// nearest existing folder; 0 when none is found.
dev_t FileSystemDevice(const QString& file) {
    QString folder = QFileInfo(file).absolutePath();
    struct stat st {};
    while (::stat(QFile::encodeName(folder).constData(), &st) != 0) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            return 0;
        folder = parent;
    }
    return st.st_dev;
}

dev_t BlockDevice(const QString& node) {
    struct stat st {};
    if (::stat(QFile::encodeName(node).constData(), &st) != 0 || !S_ISBLK(st.st_mode))
        return 0;
    return st.st_rdev;
}

// The whole disk a partition belongs to; the device itself otherwise.
dev_t WholeDisk(dev_t device) {
    const QString sys = QString("/sys/dev/block/%1:%2").arg(major(device)).arg(minor(device));
    if (!QFileInfo::exists(sys + "/partition"))
        return device;
    QFile parentDev(QFileInfo(QFileInfo(sys).canonicalFilePath()).absolutePath() + "/dev");
    if (!parentDev.open(QIODevice::ReadOnly))
        return device;
    const QList<QByteArray> parts = parentDev.readAll().trimmed().split(':');
    return parts.size() == 2 ? makedev(parts[0].toUInt(), parts[1].toUInt()) : device;
}

} // namespace

bool FileLiesOnVolume(const QString& file, const QString& volumeDevice) {
    const dev_t volume = BlockDevice(volumeDevice);
    return volume != 0 && FileSystemDevice(file) == volume;
}

bool FileLiesOnDisk(const QString& file, const QString& diskDevice) {
    const dev_t disk = BlockDevice(diskDevice);
    const dev_t holder = FileSystemDevice(file);
    return disk != 0 && holder != 0 && major(holder) != 0 && WholeDisk(holder) == disk;
}

} // namespace host
