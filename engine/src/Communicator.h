// The job's progress channel: the caller's callback and its context word.
#pragma once

#include "vorlik/Vorlik.h"

#include <cstdint>

namespace vorlik {

class CCommunicator {
  public:
    CCommunicator(JobCallback callback, uintptr_t context)
        : m_callback(callback), m_context(context) {}
    virtual ~CCommunicator() = default;

    // Calls the callback, if any, and returns its answer (0 without one).
    int32_t Send(uintptr_t code, const void* parameter) const;

  private:
    JobCallback m_callback;
    uintptr_t m_context;
};

} // namespace vorlik
