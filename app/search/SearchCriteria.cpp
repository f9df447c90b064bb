#include "SearchCriteria.h"

namespace {

bool AtOrAfter(std::chrono::system_clock::time_point time,
               const std::optional<std::chrono::system_clock::time_point>& bound) {
    return !bound || time >= *bound;
}

} // namespace

bool TSearchCriteria::Matches(const host::WalkedFile& file) const {
    if ((minSize > 0 && file.size < minSize) || (maxSize > 0 && file.size > maxSize))
        return false;
    if (attributes && (file.attributes & *attributes) != *attributes)
        return false;
    return AtOrAfter(file.created, createdAfter) && AtOrAfter(file.accessed, accessedAfter) &&
           AtOrAfter(file.modified, modifiedAfter);
}
