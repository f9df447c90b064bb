#include "FixedFileInfo.h"

#include "TolvaneVersion.h"

namespace {

constexpr uint32_t kSignature = 0xFEEF04BD;
constexpr uint32_t kStructureVersion = 0x00010000;
constexpr uint32_t kFlagsMask = 0x3F;
constexpr uint32_t kTypeApplication = 1;

constexpr uint32_t Word(uint32_t high, uint32_t low) {
    return (high << 16) | (low & 0xFFFF);
}

} // namespace

TFixedFileInfo BuiltFixedFileInfo() {
    TFixedFileInfo info;
    info.dwSignature = kSignature;
    info.dwStrucVersion = kStructureVersion;
    info.dwFileVersionMS = Word(TOLVANE_VERSION_MAJOR, TOLVANE_VERSION_MINOR);
    info.dwFileVersionLS = Word(TOLVANE_VERSION_PATCH, TOLVANE_VERSION_TWEAK);
    info.dwProductVersionMS = info.dwFileVersionMS;
    info.dwProductVersionLS = info.dwFileVersionLS;
    info.dwFileFlagsMask = kFlagsMask;
    info.dwFileType = kTypeApplication;
    return info;
}
