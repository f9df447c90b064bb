// The options that travel with one job.
#pragma once

#include <cstdint>

namespace vorlik {

class COptions {
  public:
    virtual ~COptions() = default;
    uint8_t btReplaceData = 0; // written in place of unreadable source bytes
};

} // namespace vorlik
