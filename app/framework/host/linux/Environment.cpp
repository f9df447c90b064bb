#include "host/HostQueries.h"

#include <unistd.h>

extern char** environ;

namespace host {

QStringList EnvironmentStrings() {
    QStringList strings;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry)
        strings << QString::fromLocal8Bit(*entry);
    return strings;
}

} // namespace host
