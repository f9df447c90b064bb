// A volume's size is the total of its mounted file system; an unmounted
// volume gives its device length.
#include "platform/Storage.h"

#include "BlockDevices.h"
#include "classlib/Utf16.h"

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace vorlik::os {
namespace {

bool FileSystemTotal(const std::string& root, uint64_t& total) {
    struct statvfs st {};
    if (::statvfs(root.c_str(), &st) != 0)
        return false;
    total = static_cast<uint64_t>(st.f_blocks) * st.f_frsize;
    return true;
}

bool DeviceLength(const std::string& node, uint64_t& total) {
    const int fd = ::open(node.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = DiskLength(fd, total);
    ::close(fd);
    return ok;
}

} // namespace

bool VolumeTotalSize(const std::u16string& rootPath, uint64_t& total) {
    const std::string root = ToUtf8(rootPath);
    const auto device = blockdev::DeviceNumber(root);
    if (!device)
        return FileSystemTotal(root, total);
    const std::string mountPoint = blockdev::MountPointOf(*device);
    return mountPoint.empty() ? DeviceLength(root, total) : FileSystemTotal(mountPoint, total);
}

} // namespace vorlik::os
