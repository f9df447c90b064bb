#include "host/DeviceHandle.h"

#include <windows.h>

namespace host {

const intptr_t DeviceHandle::kInvalid = reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE);

DeviceHandle::DeviceHandle(const QString& device)
    : m_handle(reinterpret_cast<intptr_t>(
          ::CreateFileW(reinterpret_cast<LPCWSTR>(device.utf16()), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr))) {}

DeviceHandle::~DeviceHandle() {
    if (IsOpen())
        ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

} // namespace host
