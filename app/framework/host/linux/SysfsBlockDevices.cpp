#include "SysfsBlockDevices.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace host::linux_host {
namespace {

const QString kSysBlock = QStringLiteral("/sys/class/block/");

QString ReadLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readLine()).trimmed();
}

dev_t ParseMajorMinor(const QString& text) {
    const QStringList parts = text.split(u':');
    if (parts.size() != 2)
        return 0;
    return makedev(parts[0].toUInt(), parts[1].toUInt());
}

// The node name from the device's uevent ("DEVNAME=..."), else the kernel name.
QString NodeOf(const QString& name) {
    QFile uevent(kSysBlock + name + QStringLiteral("/uevent"));
    if (uevent.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : uevent.readAll().split('\n')) {
            if (line.startsWith("DEVNAME="))
                return QStringLiteral("/dev/") + QString::fromLocal8Bit(line.mid(8));
        }
    }
    return QStringLiteral("/dev/") + QString(name).replace(u'!', u'/');
}

bool IsBlockNode(const QString& node, dev_t device) {
    struct stat st {};
    return ::stat(QFile::encodeName(node).constData(), &st) == 0 && S_ISBLK(st.st_mode) &&
           st.st_rdev == device;
}

BlockDevice Describe(const QString& name) {
    const QString dir = kSysBlock + name + u'/';
    BlockDevice device;
    device.name = name;
    device.node = NodeOf(name);
    device.device = ParseMajorMinor(ReadLine(dir + QStringLiteral("dev")));
    device.isPartition = QFileInfo::exists(dir + QStringLiteral("partition"));
    // A partition's directory lies inside its disk's directory.
    device.diskName =
        device.isPartition
            ? QFileInfo(QFileInfo(dir + QStringLiteral("..")).canonicalFilePath()).fileName()
            : name;
    device.removable =
        ReadLine(kSysBlock + device.diskName + QStringLiteral("/removable")) == QStringLiteral("1");
    device.sizeBytes = ReadLine(dir + QStringLiteral("size")).toULongLong() * 512;
    return device;
}

} // namespace

QString UnescapeMountField(const QString& field) {
    // The mount table writes blanks, tabs, newlines and backslashes as \ooo.
    QString text;
    for (qsizetype i = 0; i < field.size(); ++i) {
        bool ok = false;
        const uint code =
            i + 3 < field.size() && field[i] == u'\\' ? field.mid(i + 1, 3).toUInt(&ok, 8) : 0;
        if (ok) {
            text += QChar(code);
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

QList<BlockDevice> BlockDevices() {
    QStringList names = QDir(kSysBlock).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    QCollator natural(QLocale(QLocale::English));
    natural.setNumericMode(true);
    std::sort(names.begin(), names.end(), natural);
    QList<BlockDevice> devices;
    for (const QString& name : names) {
        BlockDevice device = Describe(name);
        if (IsBlockNode(device.node, device.device))
            devices << device;
    }
    return devices;
}

bool HoldsNothing(const BlockDevice& device) {
    return device.sizeBytes == 0 && !device.removable;
}

QHash<dev_t, QString> MountPoints() {
    QHash<dev_t, QString> mounts;
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return mounts;
    for (const QByteArray& line : table.readAll().split('\n')) {
        // id, parent id, major:minor, root within the file system, mount point, ...
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 5)
            continue;
        const dev_t device = ParseMajorMinor(QString::fromLatin1(fields[2]));
        if (!mounts.contains(device))
            mounts.insert(device, UnescapeMountField(QString::fromLocal8Bit(fields[4])));
    }
    return mounts;
}

} // namespace host::linux_host
