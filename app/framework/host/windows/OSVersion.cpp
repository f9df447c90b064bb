// The kernel's own version figures: RtlGetVersion reports them unaltered,
// where GetVersionEx reports what the manifest claims compatibility with.
#include "host/HostQueries.h"

#include <windows.h>

namespace host {
namespace {

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);

bool ReadVersion(OSVERSIONINFOW& info) {
    info.dwOSVersionInfoSize = sizeof info;
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    const FARPROC found = ntdll ? ::GetProcAddress(ntdll, "RtlGetVersion") : nullptr;
    // Through the generic function pointer type: the export's own type is not FARPROC.
    const auto rtlGetVersion =
        reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void (*)()>(found));
    return rtlGetVersion && rtlGetVersion(&info) == 0;
}

} // namespace

OSVersion QueryOSVersion() {
    OSVERSIONINFOW info{};
    if (!ReadVersion(info))
        return {};
    OSVersion version;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    switch (info.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        version.platformName = QStringLiteral("Win32s");
        version.build = info.dwBuildNumber & 0xFFFF;
        break;
    case VER_PLATFORM_WIN32_WINDOWS:
        version.platformName = QStringLiteral("Windows 9x");
        version.build = info.dwBuildNumber & 0xFFFF;
        break;
    case VER_PLATFORM_WIN32_NT:
        version.platformName = QStringLiteral("Windows NT");
        version.build = info.dwBuildNumber;
        break;
    default:
        break;
    }
    return version;
}

} // namespace host
