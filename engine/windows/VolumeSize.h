// The total size of a volume, from the free-space query that the system
// offers: the extended one where it exists, the cluster count otherwise.
#pragma once

#include <cstdint>
#include <windows.h>

namespace vorlik::os::win {

using GetDiskFreeSpaceExWFunction = BOOL(WINAPI*)(LPCWSTR root, PULARGE_INTEGER freeToCaller,
                                                  PULARGE_INTEGER total, PULARGE_INTEGER free);

// GetDiskFreeSpaceExW of kernel32, looked up by name; null where missing.
GetDiskFreeSpaceExWFunction LookUpGetDiskFreeSpaceEx();

// With `extended` null the cluster count of GetDiskFreeSpaceW is used; a
// failing extended query is final.
bool VolumeTotalSizeThrough(GetDiskFreeSpaceExWFunction extended, const wchar_t* root,
                            uint64_t& total);

} // namespace vorlik::os::win
