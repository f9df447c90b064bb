// Tolvane: start the main window, run the command line, then the event loop.
#include "MainFrm.h"
#include "QtMessageService.h"
#include "RightsNotice.h"
#include "host/HostQueries.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(TOLVANE_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(TOLVANE_APP_ID)));
    QtMessageService messages;
    TMainForm form(messages);
    form.CreateSearchForm();
    form.show();
    if (!host::HasAdministratorRights())
        NoteMissingAdministratorRights(form);
    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty() && form.RunCommandLine(arguments))
        return 0;
    return QApplication::exec();
}
