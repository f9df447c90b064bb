// An open disk or volume, closed when it goes out of scope. The handle is
// what the engine's disk size takes: a file descriptor on Linux, a HANDLE
// on Windows.
#pragma once

#include <QString>

#include <cstdint>

namespace host {

class DeviceHandle {
  public:
    // Opens the device for reading, sharing read and write with others.
    explicit DeviceHandle(const QString& device);
    ~DeviceHandle();
    DeviceHandle(const DeviceHandle&) = delete;
    DeviceHandle& operator=(const DeviceHandle&) = delete;

    bool IsOpen() const { return m_handle != kInvalid; }
    intptr_t Handle() const { return m_handle; }

  private:
    static const intptr_t kInvalid;
    intptr_t m_handle;
};

} // namespace host
