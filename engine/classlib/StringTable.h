// The library's string table and the formatting of its texts.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vorlik {

// Ids of the string table.
enum StringId : unsigned {
    kTextCannotOpenSource = 10,
    kTextGeneralError = 11,
    kTextUnknownError = 12,
    kTextDiskPrefix = 13,
    kTextDevicePrefix = 14,
    kTextCannotCreateDestination = 15,
    kTextShareViolation = 28,
    kTextWholeProcess = 29,
    kTextNoErrorMessage = 61472,
    kTextFileCauseFirst = 61856, // one text per file failure cause, 0 to 14
    kTextOutOfMemory = 61871,
    kTextNotSupported = 61872,
    kTextUnnamedFile = 61873,
};

// The text with the given id; empty when the table has none.
std::u16string LoadEngineString(unsigned id);

// Replaces each "%s" in turn with the next argument and "%1" with the first;
// "%%" stands for a percent sign.
std::u16string FormatText(std::u16string_view format,
                          std::initializer_list<std::u16string_view> arguments);

} // namespace vorlik
