#include "host/HostQueries.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace host {

QString ProgramFilePath() {
    std::vector<wchar_t> buffer(32768);
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return QString::fromWCharArray(buffer.data(), static_cast<qsizetype>(length));
}

QString FileNamePart(const QString& path) {
    const qsizetype delimiter = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u':'));
    return path.mid(delimiter + 1);
}

} // namespace host
