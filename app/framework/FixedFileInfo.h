// A file's fixed version record, laid out as the system's VS_FIXEDFILEINFO.
#pragma once

#include <cstdint>

struct TFixedFileInfo {
    uint32_t dwSignature = 0;
    uint32_t dwStrucVersion = 0;
    uint32_t dwFileVersionMS = 0; // high half: first number, low half: second
    uint32_t dwFileVersionLS = 0; // high half: third number, low half: fourth
    uint32_t dwProductVersionMS = 0;
    uint32_t dwProductVersionLS = 0;
    uint32_t dwFileFlagsMask = 0;
    uint32_t dwFileFlags = 0;
    uint32_t dwFileOS = 0;
    uint32_t dwFileType = 0;
    uint32_t dwFileSubtype = 0;
    uint32_t dwFileDateMS = 0;
    uint32_t dwFileDateLS = 0;
};

// The record of this program's version, as the build set it.
TFixedFileInfo BuiltFixedFileInfo();
