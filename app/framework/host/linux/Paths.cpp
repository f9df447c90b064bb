#include "host/HostQueries.h"

#include <QFile>

namespace host {

QString ProgramFilePath() {
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

QString FileNamePart(const QString& path) {
    return path.mid(path.lastIndexOf(u'/') + 1);
}

} // namespace host
