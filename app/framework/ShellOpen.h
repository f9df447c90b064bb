// Opening web pages, mail links and files with the desktop's default
// handler, behind one function that tests can replace. A program started
// with borrowed administrator rights opens them as the user who started it.
#pragma once

#include <QUrl>
#include <functional>

using ShellOpenHandler = std::function<void(const QUrl&)>;
// A replacement that also tells whether the target could be opened.
using ShellOpenReportingHandler = std::function<bool(const QUrl&)>;

// False when the desktop found no way to open the target.
bool ShellOpen(const QUrl& target);
// Replaces the handler; an empty one restores the desktop's.
void SetShellOpenHandler(ShellOpenHandler handler);
void SetShellOpenReportingHandler(ShellOpenReportingHandler handler);

// Opens the program's help page: the program's path with ".html".
void OpenHelpFile();
