#include "host/HostQueries.h"

#include <QSettings>

namespace host {

// HKEY_CURRENT_USER\Software\<name>, created when missing.
std::unique_ptr<QSettings> OpenProgramSettings(const QString& programName) {
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\") + programName, QSettings::NativeFormat);
}

} // namespace host
