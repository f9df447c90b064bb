// Sizes of a mounted file system. An unmounted volume's root is its node,
// which holds no file system to ask.
#include "host/HostQueries.h"

#include <QFile>

#include <sys/stat.h>
#include <sys/statvfs.h>

namespace host {
namespace {

std::optional<struct statvfs> FileSystemOf(const QString& root) {
    const QByteArray path = QFile::encodeName(root);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::nullopt;
    struct statvfs fs {};
    if (::statvfs(path.constData(), &fs) != 0)
        return std::nullopt;
    return fs;
}

} // namespace

std::optional<int64_t> TotalDiskSpace(const QString& root) {
    const auto fs = FileSystemOf(root);
    if (!fs)
        return std::nullopt;
    return static_cast<int64_t>(fs->f_blocks * fs->f_frsize);
}

std::optional<int64_t> FreeDiskSpaceForUser(const QString& root) {
    const auto fs = FileSystemOf(root);
    if (!fs)
        return std::nullopt;
    return static_cast<int64_t>(fs->f_bavail * fs->f_frsize);
}

} // namespace host
