#include "host/InstallerLaunch.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

#include <shellapi.h>

namespace host {

// Opened with the shell's "open" verb in its own folder, in a normal window.
bool LaunchInstaller(const QString& fileName) {
    const QString file = QDir::toNativeSeparators(fileName);
    const QString folder = QDir::toNativeSeparators(QFileInfo(fileName).absolutePath());
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", reinterpret_cast<LPCWSTR>(file.utf16()), nullptr,
                      reinterpret_cast<LPCWSTR>(folder.utf16()), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace host
