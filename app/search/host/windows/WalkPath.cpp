#include "host/WalkPath.h"

namespace host {

std::string ToWalkPath(const QString& path) {
    return path.toUtf8().toStdString();
}

QString FromWalkPath(const std::string& path) {
    return QString::fromUtf8(path);
}

} // namespace host
