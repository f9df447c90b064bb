// The local hard drives that the image file search walks.
#pragma once

#include <QStringList>

#include <cstdint>
#include <vector>

namespace host {

struct HardDrives {
    // Roots of the fixed drives in the system's order: "C:\" and so on on
    // Windows; on Linux the mount points of file systems on non-removable
    // local block devices, in natural order.
    QStringList roots;
    // File systems that the walk of the hard drives does not enter from
    // their roots (device numbers): on Linux every mounted file system that
    // does not live on a fixed block device (/proc, /sys, tmpfs, network
    // shares, removable media); none on Windows, where a walk stays on its
    // drive.
    std::vector<uint64_t> otherFileSystems;
};

HardDrives LocalHardDrives();

} // namespace host
