// The root block of the file's version resource.
#include "host/HostQueries.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace host {

static_assert(sizeof(TFixedFileInfo) == sizeof(VS_FIXEDFILEINFO));

bool ReadFixedFileInfo(const QString& fileName, TFixedFileInfo& info) {
    const auto path = reinterpret_cast<LPCWSTR>(fileName.utf16());
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0)
        return false;
    std::vector<char> buffer(size);
    if (!::GetFileVersionInfoW(path, 0, size, buffer.data()))
        return false;
    void* root = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(buffer.data(), L"\\", &root, &length) || length == 0 ||
        length < sizeof info)
        return false;
    std::memcpy(&info, root, sizeof info);
    return true;
}

} // namespace host
