#include "host/HostQueries.h"

#include <windows.h>

namespace host {

std::optional<int64_t> TotalDiskSpace(const QString& root) {
    ULARGE_INTEGER total{};
    if (!::GetDiskFreeSpaceExW(reinterpret_cast<LPCWSTR>(root.utf16()), nullptr, &total, nullptr))
        return std::nullopt;
    return static_cast<int64_t>(total.QuadPart);
}

std::optional<int64_t> FreeDiskSpaceForUser(const QString& root) {
    ULARGE_INTEGER available{};
    if (!::GetDiskFreeSpaceExW(reinterpret_cast<LPCWSTR>(root.utf16()), &available, nullptr,
                               nullptr))
        return std::nullopt;
    return static_cast<int64_t>(available.QuadPart);
}

} // namespace host
