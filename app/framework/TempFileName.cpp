#include "TempFileName.h"

#include "host/HostQueries.h"

#include <QFileInfo>

#include <limits>

namespace {

// A dangling symbolic link counts as taken: writing through it would land
// wherever it points.
bool IsTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString GetUniqueTempFileName(const QString& ext) {
    return GetUniqueTempFileName(ext, host::LongTemporaryDirectory());
}

QString GetUniqueTempFileName(const QString& ext, const QString& folder) {
    for (int n = 0;; ++n) {
        const QString candidate = folder + QStringLiteral("File") + QString::number(n) + ext;
        if (!IsTaken(candidate))
            return candidate;
        if (n == std::numeric_limits<int>::max())
            return {};
    }
}
