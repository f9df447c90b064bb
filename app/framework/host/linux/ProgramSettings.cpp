#include "host/HostQueries.h"

#include <QSettings>

namespace host {

// <config folder>/<name>.ini: the name as organisation and no application.
std::unique_ptr<QSettings> OpenProgramSettings(const QString& programName) {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, programName);
}

} // namespace host
