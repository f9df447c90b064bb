// Linux executables carry no version resource. The version is compiled into
// the program, so the running program's own file is the one file that has
// a version record.
#include "host/HostQueries.h"

#include <QFile>

#include <sys/stat.h>

namespace host {
namespace {

bool SameFile(const QByteArray& a, const QByteArray& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.constData(), &sa) == 0 && ::stat(b.constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace

bool ReadFixedFileInfo(const QString& fileName, TFixedFileInfo& info) {
    if (fileName.isEmpty() || !SameFile(QFile::encodeName(fileName), "/proc/self/exe"))
        return false;
    info = BuiltFixedFileInfo();
    return true;
}

} // namespace host
