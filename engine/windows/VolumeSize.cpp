#include "VolumeSize.h"

#include "WinHandles.h"

namespace vorlik::os::win {

GetDiskFreeSpaceExWFunction LookUpGetDiskFreeSpaceEx() {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (!kernel)
        return nullptr;
    // Through the generic function pointer type, which any other converts to.
    const auto generic =
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "GetDiskFreeSpaceExW"));
    return reinterpret_cast<GetDiskFreeSpaceExWFunction>(generic);
}

bool VolumeTotalSizeThrough(GetDiskFreeSpaceExWFunction extended, const wchar_t* root,
                            uint64_t& total) {
    if (extended) {
        ULARGE_INTEGER freeToCaller{}, bytes{};
        if (!extended(root, &freeToCaller, &bytes, nullptr))
            return false;
        total = bytes.QuadPart;
        return true;
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceW(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return false;
    total = uint64_t{sectorsPerCluster} * bytesPerSector * clusters;
    return true;
}

} // namespace vorlik::os::win

namespace vorlik::os {

bool VolumeTotalSize(const std::u16string& rootPath, uint64_t& total) {
    return win::VolumeTotalSizeThrough(win::LookUpGetDiskFreeSpaceEx(), win::Wide(rootPath), total);
}

} // namespace vorlik::os
