// Composing the texts a job sends to its caller.
#pragma once

#include "Communicator.h"
#include "classlib/Exception.h"
#include "classlib/StringTable.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace vorlik {

// Descriptions are cut to this many UTF-16 units (a 4,096-unit buffer).
inline constexpr size_t kMaxDescription = 4095;

// The format text `textId` with its %s replaced by the failure's description.
std::u16string FormatFileError(const CException& failure, unsigned textId);

// The part of a path after its last separator; the whole path without one.
std::u16string FileNamePart(const std::u16string& path);

// Loads text `textId`, formats it with `arguments` and sends it with `code`.
void SendJobText(const CCommunicator& channel, uintptr_t code, unsigned textId,
                 std::initializer_list<std::u16string_view> arguments);

} // namespace vorlik
