// Whether the test program runs under Wine rather than Windows.
#pragma once

#include <windows.h>

inline bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}
