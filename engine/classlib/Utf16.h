// Conversions between the engine's UTF-16 texts and the UTF-8 that Linux
// system calls take.
#pragma once

#include <string>
#include <string_view>

namespace vorlik {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

} // namespace vorlik
