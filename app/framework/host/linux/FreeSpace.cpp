// Sizes of the file system at a drive's root. An unmounted volume's root is
// its device node, which holds no file system to ask: its total is the
// device's length, and nothing on it is known to be free.
#include "host/HostQueries.h"

#include <QFile>

#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

namespace host {
namespace {

std::optional<struct stat> StatusOf(const QString& root) {
    struct stat st {};
    if (::stat(QFile::encodeName(root).constData(), &st) != 0)
        return std::nullopt;
    return st;
}

std::optional<struct statvfs> FileSystemOf(const QString& root) {
    const auto st = StatusOf(root);
    if (!st || !S_ISDIR(st->st_mode))
        return std::nullopt;
    struct statvfs fs {};
    if (::statvfs(QFile::encodeName(root).constData(), &fs) != 0)
        return std::nullopt;
    return fs;
}

// The length of the block device at the node, from sysfs (512-byte units),
// so that no device is opened to measure it.
std::optional<int64_t> DeviceLength(const struct stat& st) {
    const std::string size = "/sys/dev/block/" + std::to_string(major(st.st_rdev)) + ":" +
                             std::to_string(minor(st.st_rdev)) + "/size";
    std::ifstream in(size);
    int64_t sectors = 0;
    if (!(in >> sectors))
        return std::nullopt;
    return sectors * 512;
}

bool IsBlockDevice(const std::optional<struct stat>& st) {
    return st && S_ISBLK(st->st_mode);
}

} // namespace

std::optional<int64_t> TotalDiskSpace(const QString& root) {
    if (const auto st = StatusOf(root); IsBlockDevice(st))
        return DeviceLength(*st);
    const auto fs = FileSystemOf(root);
    if (!fs)
        return std::nullopt;
    return static_cast<int64_t>(fs->f_blocks * fs->f_frsize);
}

std::optional<int64_t> FreeDiskSpaceForUser(const QString& root) {
    if (IsBlockDevice(StatusOf(root)))
        return 0;
    const auto fs = FileSystemOf(root);
    if (!fs)
        return std::nullopt;
    return static_cast<int64_t>(fs->f_bavail * fs->f_frsize);
}

} // namespace host
