// One job of the product window: names mapped to devices, the output
// checked against its source, the worker started and awaited, the engine's
// reports shown.
#include "CloneChecks.h"
#include "LogText.h"
#include "MainFrm.h"
#include "MainThread.h"
#include "MessageService.h"
#include "RestoreChecks.h"
#include "SizeText.h"
#include "SpecConsts.h"
#include "SpecUtils.h"
#include "host/HostQueries.h"
#include "vorlik/Vorlik.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <memory>

namespace {

QString EngineText(uintptr_t param) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(param));
}

int64_t EngineCount(uintptr_t param) {
    return static_cast<int64_t>(*reinterpret_cast<const uint64_t*>(param));
}

} // namespace

bool TMainForm::RunJob(const QString& srcFile, const QString& dstFile) {
    const QString source =
        FDstIsImageFile ? FDriveList.GetInternalName(GetBareDisplayName(srcFile)) : srcFile;
    const QString destination =
        FDstIsImageFile ? dstFile : FDriveList.GetInternalName(GetBareDisplayName(dstFile));
    if (source.isEmpty() || destination.isEmpty())
        return false;
    if (!FDstIsImageFile) {
        // Only Yes overwrites the target; closing the question does not.
        if (Messages().Confirm(this, RestoreOverwriteQuestion()) != MessageService::Answer::Yes)
            return false;
    } else if (IsOutputOnSource(source, dstFile)) {
        const QString text = tr(kOutputOnSource).arg(host::FileNamePart(dstFile));
        Messages().Error(this, text);
        AppendLog(kSeparatorLine);
        AppendLog(text);
        AppendLog(kSeparatorLine);
        return false;
    }
    FJobOutcome.Begin(GetSrcSize(srcFile)); // the size the log header shows
    FStartProcessTime = QDateTime::currentDateTime();
    UpdateSpeedInfo(0, 0);
    return WaitForJob(source, destination);
}

// Runs the job on its worker and waits, handling the window's events (the
// engine's messages among them) until the worker ends; a stop request is
// passed on as the worker's terminate flag.
bool TMainForm::WaitForJob(const QString& source, const QString& destination) {
    TMainThread thread(this, source, destination);
    const auto ended = std::make_shared<bool>(false);
    connect(
        &thread, &QThread::finished, this, [ended] { *ended = true; }, Qt::QueuedConnection);
    struct JoinOnExit {
        TMainThread& thread;
        ~JoinOnExit() {
            thread.Terminate();
            // The worker may be waiting for the window to take a message.
            while (!thread.wait(QDeadlineTimer(20)))
                QCoreApplication::processEvents();
        }
    } join{thread};
    thread.start(QThread::TimeCriticalPriority);
    while (!*ended) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        if (IsStopRequested() || FIsRestoreStopping)
            thread.Terminate();
    }
    thread.wait();
    UpdateSpeedInfo(FStartProcessTime.msecsTo(QDateTime::currentDateTime()), FObjCount);
    FJobOutcome.engineResult = thread.IsSuccessful();
    FJobOutcome.stopRequested = IsStopRequested() || FIsRestoreStopping;
    return FJobOutcome.Succeeded();
}

// An image file is never written onto a drive or disk: that is Restore's
// work, with its own question.
QString TMainForm::GetOutputRefusal(const QString& dstFile) {
    return FDstIsImageFile ? OutputRefusal(dstFile) : QString();
}

bool TMainForm::IsRunGoing() const {
    return TPellinMainForm::IsRunGoing() || FInRestore;
}

void TMainForm::StopRun() {
    TPellinMainForm::StopRun();
    if (FInRestore)
        FIsRestoreStopping = true;
}

void TMainForm::UpdateSpeedInfo(int64_t elapsedMsecs, int64_t bytes) {
    const double elapsedDays = static_cast<double>(elapsedMsecs) / 86400000.0;
    const int64_t speed =
        elapsedDays <= 0 ? 0
                         : static_cast<int64_t>(static_cast<double>(bytes) / (elapsedDays * 1440));
    labCurStatInfo->setText(
        tr(FDstIsImageFile ? kCloned : kRestored).arg(FormatSize(bytes), FormatSize(speed)));
    QCoreApplication::processEvents();
}

void TMainForm::HandleEngineMessage(uintptr_t msg, uintptr_t param, bool& handled) {
    FJobOutcome.Note(msg, param);
    handled = true;
    switch (msg) {
    case JOBMSG_LOG_TEXT:
        AppendLog(kSeparatorLine);
        AppendLog(EngineText(param));
        AppendLog(kSeparatorLine);
        break;
    case JOBMSG_TOTAL_BYTES:
        FObjCount = EngineCount(param);
        break;
    case JOBMSG_MESSAGE_BOX:
        if (!IsClosing()) // the text is in the log too
            Messages().Information(this, EngineText(param));
        break;
    case JOBMSG_BYTES_DONE:
        UpdateSpeedInfo(FStartProcessTime.msecsTo(QDateTime::currentDateTime()),
                        EngineCount(param));
        break;
    case JOBMSG_BAD_SECTORS:
        FBadSectorCount = EngineCount(param);
        break;
    default:
        handled = false;
    }
}
