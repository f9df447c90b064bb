// The kernel's name and release: "6.1.0-13-amd64" gives 6, 1 and build 0.
#include "host/HostQueries.h"

#include <QRegularExpression>

#include <sys/utsname.h>

namespace host {

OSVersion QueryOSVersion() {
    struct utsname names {};
    if (::uname(&names) != 0)
        return {};
    OSVersion version;
    version.platformName = QString::fromLocal8Bit(names.sysname);
    static const QRegularExpression numbers(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const QRegularExpressionMatch match = numbers.match(QString::fromLocal8Bit(names.release));
    version.major = match.captured(1).toUInt();
    version.minor = match.captured(2).toUInt();
    version.build = match.captured(3).toUInt();
    return version;
}

} // namespace host
