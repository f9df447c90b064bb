// An installer on Linux is a package or image for the desktop's handler.
#include "host/InstallerLaunch.h"

#include "ShellOpen.h"

#include <QUrl>

namespace host {

bool LaunchInstaller(const QString& fileName) {
    return ShellOpen(QUrl::fromLocalFile(fileName));
}

} // namespace host
