#include "host/HostQueries.h"

namespace host {

// An elevated process on Windows still belongs to the signed-in user, whose
// shell opens what it is given: nothing to hand back.
bool OpenForInvokingUser(const QUrl&) {
    return false;
}

} // namespace host
