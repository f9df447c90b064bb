#include "VersionInfo.h"

#include "host/HostQueries.h"

namespace {

QString WordText(uint32_t word) {
    return QStringLiteral("%1.%2").arg(word >> 16).arg(word & 0xFFFF);
}

} // namespace

bool GetFixedFileInfo(const QString& fileName, TFixedFileInfo& info) {
    return host::ReadFixedFileInfo(fileName, info);
}

QString GetVersionText(const QString& fileName, TVersionKind kind) {
    TFixedFileInfo info;
    if (!GetFixedFileInfo(fileName, info))
        return {};
    if (kind == TVersionKind::FullProductVersion)
        return VersionText(info.dwProductVersionMS, info.dwProductVersionLS);
    return VersionText(info.dwFileVersionMS, info.dwFileVersionLS);
}

QString VersionText(uint32_t mostSignificant, uint32_t leastSignificant) {
    return WordText(mostSignificant) + u'.' + WordText(leastSignificant);
}
