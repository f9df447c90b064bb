// What sysfs and the mount table tell about block devices.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vorlik::os::blockdev {

// The device number when the path names a block device.
std::optional<dev_t> DeviceNumber(const std::string& path);
bool IsPartition(dev_t device);
// The whole disk a partition lies on; any other device itself.
dev_t WholeDiskOf(dev_t device);

// A file by identity: the device of its file system and its inode.
struct FileId {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileId&) const = default;
};
// The file behind a loop disk; nullopt for any other disk.
std::optional<FileId> LoopBackingFile(dev_t disk);

struct Partition {
    std::string name; // kernel name, the node under /dev
    dev_t device = 0;
    int number = 0;
    uint64_t startSector = 0; // 512-byte units
    uint64_t sizeSectors = 0;
};
std::vector<Partition> PartitionsOf(dev_t disk);

// The mount point of a device, empty when it is not mounted.
std::string MountPointOf(dev_t device);
// Mounted, or claimed by a stacked device (device mapper, RAID).
bool IsInUse(dev_t device);

// The 32-bit form of a device number that the engine calls a disk number.
uint32_t EncodeDiskNumber(dev_t device);
dev_t DecodeDiskNumber(uint32_t number);

} // namespace vorlik::os::blockdev
