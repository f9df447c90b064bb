// What a found file must satisfy beyond its name: size bounds, attributes
// and how recent its times are.
#pragma once

#include "host/FileWalk.h"

#include <chrono>
#include <cstdint>
#include <optional>

struct TSearchCriteria {
    using TimePoint = std::chrono::system_clock::time_point;

    int64_t minSize = 0; // bytes; 0 = no bound
    int64_t maxSize = 0; // bytes; 0 = no bound
    // Attributes a file must all carry; none = any file.
    std::optional<uint32_t> attributes;
    // A file's time must be at or after the bound.
    std::optional<TimePoint> createdAfter;
    std::optional<TimePoint> accessedAfter;
    std::optional<TimePoint> modifiedAfter;

    bool Matches(const host::WalkedFile& file) const;
};
