// The fixed drives among the drive letters of the logical-drive mask.
#include "host/HardDrives.h"

#include <windows.h>

namespace host {

HardDrives LocalHardDrives() {
    const DWORD mask = ::GetLogicalDrives();
    HardDrives drives;
    for (int index = 0; index < 26; ++index) {
        if ((mask & (DWORD{1} << index)) == 0)
            continue;
        const QString root = QString(QChar(u'A' + index)) + QStringLiteral(":\\");
        if (::GetDriveTypeW(reinterpret_cast<LPCWSTR>(root.utf16())) == DRIVE_FIXED)
            drives.roots << root;
    }
    return drives;
}

} // namespace host
