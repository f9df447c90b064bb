// Conversions between the engine's portable handle and text types and what
// the Windows API takes. The engine's texts are UTF-16, as wchar_t is here.
#pragma once

#include "platform/Storage.h"

#include <string>
#include <windows.h>

namespace vorlik::os::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be a UTF-16 code unit");

inline HANDLE ToHandle(Handle h) {
    return reinterpret_cast<HANDLE>(h);
}
inline Handle FromHandle(HANDLE h) {
    return reinterpret_cast<Handle>(h);
}
inline const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

} // namespace vorlik::os::win
