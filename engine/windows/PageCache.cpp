// Windows gives a program no hold on single ranges of its file cache; a
// job's cached data is the system's to manage.
#include "platform/Storage.h"

namespace vorlik::os {

bool HasPageCache(Handle) {
    return false;
}

void DropReadPages(Handle, uint64_t, uint64_t) {}

bool DropWrittenPages(Handle, uint64_t, uint64_t, int&) {
    return true;
}

} // namespace vorlik::os
