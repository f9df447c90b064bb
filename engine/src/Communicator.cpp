#include "Communicator.h"

namespace vorlik {

int32_t CCommunicator::Send(uintptr_t code, const void* parameter) const {
    if (!m_callback)
        return 0;
    return m_callback(code, reinterpret_cast<uintptr_t>(parameter), m_context);
}

} // namespace vorlik
