#include "host/HostQueries.h"

#include <windows.h>

namespace host {

// Physical drives and volumes open only for an elevated process.
bool HasAdministratorRights() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const bool elevated =
        ::GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size) &&
        elevation.TokenIsElevated != 0;
    ::CloseHandle(token);
    return elevated;
}

} // namespace host
