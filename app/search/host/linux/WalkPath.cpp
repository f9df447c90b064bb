#include "host/WalkPath.h"

#include <QFile>

namespace host {

std::string ToWalkPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString FromWalkPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace host
