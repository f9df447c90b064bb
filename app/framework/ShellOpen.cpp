#include "ShellOpen.h"

#include "host/HostQueries.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace {

ShellOpenHandler& Handler() {
    static ShellOpenHandler handler;
    return handler;
}

} // namespace

void ShellOpen(const QUrl& target) {
    if (Handler())
        Handler()(target);
    else if (!host::OpenForInvokingUser(target))
        QDesktopServices::openUrl(target);
}

void SetShellOpenHandler(ShellOpenHandler handler) {
    Handler() = std::move(handler);
}

void OpenHelpFile() {
    const QFileInfo program(QCoreApplication::applicationFilePath());
    ShellOpen(QUrl::fromLocalFile(program.dir().filePath(program.completeBaseName() + ".html")));
}
