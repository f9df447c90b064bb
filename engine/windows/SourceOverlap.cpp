// Whether a disk or volume destination is the storage a job reads from,
// compared by the system's device numbers. Files are left to the share
// modes of CreateFileW, which already refuse a file open as the source.
#include "platform/Storage.h"

#include "WinHandles.h"

#include <optional>
#include <windows.h>
#include <winioctl.h>

namespace vorlik::os {
namespace {

std::optional<STORAGE_DEVICE_NUMBER> DeviceNumberOf(HANDLE device) {
    STORAGE_DEVICE_NUMBER number{};
    DWORD returned = 0;
    if (!DeviceIoControl(device, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number,
                         sizeof(number), &returned, nullptr))
        return std::nullopt;
    return number;
}

// A whole disk answers partition 0; a device that cannot be partitioned -1.
bool IsWhole(const STORAGE_DEVICE_NUMBER& number) {
    return number.PartitionNumber == 0 || number.PartitionNumber == static_cast<DWORD>(-1);
}

} // namespace

bool OverlapsSource(Handle source, const std::u16string& destination, int& error) {
    if (!IsDevicePath(destination))
        return false;
    const auto sourceNumber = DeviceNumberOf(win::ToHandle(source));
    if (!sourceNumber)
        return false;
    // No access asked: the query needs none, and nothing is opened for writing.
    const HANDLE target = CreateFileW(win::Wide(destination), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (target == INVALID_HANDLE_VALUE)
        return false;
    const auto targetNumber = DeviceNumberOf(target);
    CloseHandle(target);
    if (!targetNumber || targetNumber->DeviceType != sourceNumber->DeviceType ||
        targetNumber->DeviceNumber != sourceNumber->DeviceNumber)
        return false;
    if (targetNumber->PartitionNumber != sourceNumber->PartitionNumber && !IsWhole(*targetNumber) &&
        !IsWhole(*sourceNumber))
        return false;
    error = ERROR_SHARING_VIOLATION;
    return true;
}

} // namespace vorlik::os
