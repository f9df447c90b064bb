// What tells one drive or disk from another before one is overwritten:
// its maker's model and serial number, whether it can be removed, and
// where it is in use.
#pragma once

#include <QList>
#include <QString>

namespace host {

struct MountedVolume {
    QString device;     // the volume, e.g. "/dev/sda1" or "\\.\C:"
    QString mountPoint; // where its file system is reachable
};

struct DeviceDetails {
    QString model;  // empty when the system does not tell
    QString serial; // empty when the system does not tell
    bool removable = false;
    // The device itself and, for a whole disk, every volume on it, where
    // mounted.
    QList<MountedVolume> mounts;
};

// Details of a drive or disk by the path the engine opens; empty details
// when the path names no device.
DeviceDetails DescribeDevice(const QString& device);

} // namespace host
