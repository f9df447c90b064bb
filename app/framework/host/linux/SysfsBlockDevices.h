// The block devices that sysfs lists, and the mount table's view of them.
#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <cstdint>
#include <sys/types.h>

namespace host::linux_host {

struct BlockDevice {
    QString name;     // kernel name, e.g. "sda1"
    QString node;     // e.g. "/dev/sda1"
    QString diskName; // the whole disk it belongs to (itself for a whole disk)
    dev_t device = 0;
    bool isPartition = false;
    bool removable = false; // of the whole disk
    uint64_t sizeBytes = 0;
};

// Every block device with a node under /dev, in natural name order.
QList<BlockDevice> BlockDevices();
// Nothing to offer: an unattached loop device, an empty zram.
bool HoldsNothing(const BlockDevice& device);

// A field of the mount table with its octal escapes (\040 for a blank) undone.
QString UnescapeMountField(const QString& field);

// The first mount point of every mounted device.
QHash<dev_t, QString> MountPoints();

} // namespace host::linux_host
