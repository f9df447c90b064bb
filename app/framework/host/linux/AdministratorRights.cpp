#include "host/HostQueries.h"

#include <unistd.h>

namespace host {

// Block devices belong to root; nobody else can list or open them all.
bool HasAdministratorRights() {
    return ::geteuid() == 0;
}

} // namespace host
