#include "host/HostQueries.h"

#include <windows.h>

#include <cwchar>

namespace host {

// Every string of the block in order, "=C:=C:\..." entries included.
QStringList EnvironmentStrings() {
    QStringList strings;
    wchar_t* const block = ::GetEnvironmentStringsW();
    if (block == nullptr)
        return strings;
    for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1)
        strings << QString::fromWCharArray(entry);
    ::FreeEnvironmentStringsW(block);
    return strings;
}

} // namespace host
