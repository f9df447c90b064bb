// Starting a downloaded installer. One backend per OS.
#pragma once

#include <QString>

namespace host {

// False when the system could not start it.
bool LaunchInstaller(const QString& fileName);

} // namespace host
