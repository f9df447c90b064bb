// Closing the main window while a run is going. The run is awaited inside
// its start command, deeper in the call stack than the close request, so
// the close cannot wait for it there: it stops the run as the stop button
// does, is refused for now, and is made again once the run has ended, the
// engine has let go of its devices and files and the log is complete.
#include "PellinMain.h"

#include "MessageService.h"
#include "PellinConsts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#ifndef QT_NO_SESSIONMANAGER
#include <QSessionManager>
#endif

using namespace pellin_text;

namespace {

// How often a pending close looks whether the run has ended.
constexpr int kCloseCheckMsecs = 50;

} // namespace

bool TPellinMainForm::IsRunGoing() const {
    return FInRepair || FInBatchRepair;
}

void TPellinMainForm::StopRun() {
    if (FInRepair)
        FIsStopping = true;
    if (FInBatchRepair)
        FIsBatchStopping = true;
}

void TPellinMainForm::closeEvent(QCloseEvent* event) {
    if (!IsRunGoing()) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
    if (FCloseAfterRun)
        return; // already stopping in order to close
    // Only Yes stops: closing the question keeps the run going.
    if (!FCloseUnasked &&
        FMessages.Confirm(this, tr(kStopRunAndClose)) != MessageService::Answer::Yes)
        return;
    FCloseAfterRun = true;
    StopRun();
    CloseWhenRunEnded();
}

void TPellinMainForm::CloseWhenRunEnded() {
    if (!FCloseTimer) {
        FCloseTimer = new QTimer(this);
        FCloseTimer->setInterval(kCloseCheckMsecs);
        connect(FCloseTimer, &QTimer::timeout, this, [this] {
            if (IsRunGoing())
                return;
            FCloseTimer->stop();
            close();
        });
    }
    FCloseTimer->start();
}

// The session ending and the program quitting close the window without a
// question: nobody may be there to answer it.
void TPellinMainForm::ConnectSessionEnd() {
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        if (IsRunGoing())
            CloseWithoutAsking();
    });
#endif
    // Quitting closes every window first; the filter marks those closes.
    qApp->installEventFilter(this);
}

void TPellinMainForm::CloseWithoutAsking() {
    FCloseUnasked = true;
    close();
}

bool TPellinMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == qApp && event->type() == QEvent::Quit && IsRunGoing())
        FCloseUnasked = true;
    return QWidget::eventFilter(watched, event);
}
