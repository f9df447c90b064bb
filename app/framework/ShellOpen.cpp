#include "ShellOpen.h"

#include "host/HostQueries.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace {

ShellOpenReportingHandler& Handler() {
    static ShellOpenReportingHandler handler;
    return handler;
}

} // namespace

bool ShellOpen(const QUrl& target) {
    if (Handler())
        return Handler()(target);
    if (host::OpenForInvokingUser(target))
        return true;
    return QDesktopServices::openUrl(target);
}

void SetShellOpenHandler(ShellOpenHandler handler) {
    if (!handler) {
        Handler() = nullptr;
        return;
    }
    Handler() = [handler = std::move(handler)](const QUrl& target) {
        handler(target);
        return true;
    };
}

void SetShellOpenReportingHandler(ShellOpenReportingHandler handler) {
    Handler() = std::move(handler);
}

void OpenHelpFile() {
    const QFileInfo program(QCoreApplication::applicationFilePath());
    ShellOpen(QUrl::fromLocalFile(program.dir().filePath(program.completeBaseName() + ".html")));
}
