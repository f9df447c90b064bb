// Linux has no Windows folder and no system folder. The nearest facts: the
// root the operating system is installed in, and the folder that holds the
// C library this process runs with (as the system folder holds the
// system's own libraries).
#include "host/HostQueries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <dlfcn.h>
#include <unistd.h>

namespace host {

FolderAnswer WindowsDirectory() {
    return {true, QStringLiteral("/"), 0};
}

FolderAnswer SystemDirectory() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&::getpid), &info) == 0 || info.dli_fname == nullptr)
        return {false, {}, ENOENT};
    return {true, QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath(), 0};
}

// $TMPDIR, else /tmp, as the C library and Qt take it.
FolderAnswer TemporaryDirectory() {
    return {true, QDir::tempPath() + u'/', 0};
}

// Linux paths have no short forms.
QString LongTemporaryDirectory() {
    return TemporaryDirectory().path;
}

} // namespace host
