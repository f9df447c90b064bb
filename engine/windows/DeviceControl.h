// The disk and volume control requests of the Windows backend. Each takes
// the DeviceIoControl to call, so that the answers of devices that Wine and
// test machines do not have can be played back.
#pragma once

#include <cstdint>
#include <vector>
#include <windows.h>

namespace vorlik::os::win {

using DeviceControl = BOOL(WINAPI*)(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                                    DWORD outSize, LPDWORD returned, LPOVERLAPPED overlapped);

// A request without input or output (locks, layout refresh).
bool Request(DeviceControl control, HANDLE device, DWORD code);

// The length query, or the geometry product where the length is refused.
bool DiskLengthThrough(DeviceControl control, HANDLE device, uint64_t& length);

// The numbers of the disks the volume's extents lie on, in extent order.
// False when the volume does not tell.
bool VolumeDiskNumbers(DeviceControl control, HANDLE volume, std::vector<uint32_t>& disks);

} // namespace vorlik::os::win
