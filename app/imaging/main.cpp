// Tolvane: start the main window, run the command line, then the event loop.
#include "MainFrm.h"
#include "QtMessageService.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QtMessageService messages;
    TMainForm form(messages);
    form.show();
    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty() && form.RunCommandLine(arguments))
        return 0;
    return QApplication::exec();
}
