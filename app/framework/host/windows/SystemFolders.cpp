#include "host/HostQueries.h"

#include <windows.h>

namespace host {
namespace {

using FolderQuery = UINT(WINAPI*)(LPWSTR, UINT);

FolderAnswer AskFolder(FolderQuery query) {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = query(buffer, MAX_PATH);
    if (length == 0)
        return {false, {}, static_cast<int>(::GetLastError())};
    if (length >= MAX_PATH)
        return {false, {}, ERROR_INSUFFICIENT_BUFFER};
    return {true, QString::fromWCharArray(buffer, static_cast<qsizetype>(length)), 0};
}

UINT WINAPI TempPath(LPWSTR buffer, UINT size) {
    return ::GetTempPathW(size, buffer);
}

} // namespace

FolderAnswer WindowsDirectory() {
    return AskFolder(&::GetWindowsDirectoryW);
}

FolderAnswer SystemDirectory() {
    return AskFolder(&::GetSystemDirectoryW);
}

FolderAnswer TemporaryDirectory() {
    return AskFolder(&TempPath);
}

QString LongTemporaryDirectory() {
    const FolderAnswer reported = TemporaryDirectory();
    if (!reported.ok)
        return {};
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length =
        ::GetLongPathNameW(reinterpret_cast<LPCWSTR>(reported.path.utf16()), buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return reported.path;
    return QString::fromWCharArray(buffer, static_cast<qsizetype>(length));
}

} // namespace host
