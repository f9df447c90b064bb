// On Linux a path's kind is what it names: a whole-disk block device, any
// other block device (a volume), or a file.
#include "platform/Storage.h"

#include "BlockDevices.h"
#include "classlib/Utf16.h"

namespace vorlik::os {

bool IsPhysicalDrivePath(const std::u16string& path) {
    const auto device = blockdev::DeviceNumber(ToUtf8(path));
    return device && !blockdev::IsPartition(*device);
}

bool IsDevicePath(const std::u16string& path) {
    return blockdev::DeviceNumber(ToUtf8(path)).has_value();
}

uint32_t GetDiskNumber(const std::u16string& path) {
    const auto device = blockdev::DeviceNumber(ToUtf8(path));
    if (!device || blockdev::IsPartition(*device))
        return kNoDisk;
    return blockdev::EncodeDiskNumber(*device);
}

std::u16string VolumeSizeRoot(const std::u16string& volumePath) {
    return volumePath;
}

} // namespace vorlik::os
