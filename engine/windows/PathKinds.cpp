// On Windows a path's kind is decided by its beginning alone, compared code
// unit by code unit, so "\\.\physicaldrive0" is an ordinary file name.
#include "platform/Storage.h"

#include "classlib/StringTable.h"

namespace vorlik::os {
namespace {

bool StartsWith(const std::u16string& path, const std::u16string& prefix) {
    return path.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

bool IsPhysicalDrivePath(const std::u16string& path) {
    return StartsWith(path, LoadEngineString(kTextDiskPrefix));
}

bool IsDevicePath(const std::u16string& path) {
    return StartsWith(path, LoadEngineString(kTextDevicePrefix));
}

uint32_t GetDiskNumber(const std::u16string& path) {
    if (!IsPhysicalDrivePath(path))
        return kNoDisk;
    const std::u16string digits = path.substr(LoadEngineString(kTextDiskPrefix).size());
    if (digits.empty())
        return kNoDisk;
    uint64_t number = 0;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9')
            return kNoDisk;
        number = number * 10 + static_cast<uint64_t>(c - u'0');
        if (number > kNoDisk)
            return kNoDisk;
    }
    return static_cast<uint32_t>(number);
}

// The volume size query takes the drive letter and colon.
std::u16string VolumeSizeRoot(const std::u16string& volumePath) {
    const std::u16string prefix = LoadEngineString(kTextDevicePrefix);
    return StartsWith(volumePath, prefix) ? volumePath.substr(prefix.size()) : volumePath;
}

} // namespace vorlik::os
