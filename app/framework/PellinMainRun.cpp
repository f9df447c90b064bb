// The start/stop cycle of a single job and the hand-off of the engine's
// messages from the worker thread.
#include "PellinMain.h"

#include "DragEdit.h"
#include "ElapsedTime.h"
#include "LogText.h"
#include "MessageService.h"
#include "OutputQuestions.h"
#include "PellinConsts.h"
#include "RunGuard.h"
#include "host/HostQueries.h"
#include "vorlik/Vorlik.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <memory>

using namespace pellin_text;

namespace {

// The caller's path made absolute, as the run uses it.
QString Expanded(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

void TPellinMainForm::btnRepairClick() {
    if (FInRepair) {
        FIsStopping = true; // the running start command sees it in its wait
        return;
    }
    const QString source = txtSrcFile->text().trimmed();
    const QString output = txtDstFile->text().trimmed();
    if (source.isEmpty()) {
        FMessages.Information(this, tr(kSelectSource));
        return;
    }
    if (output.isEmpty()) {
        FMessages.Information(this, tr(kInputOutput));
        return;
    }

    btnRepair->setText(tr(kStopCloning));
    SetButtonStyle(btnRepair, "stopbutton");
    btnRepairFiles->setEnabled(false);
    txtRepairLog->clear();
    txtRepairLog->repaint();
    EnableControls(false);
    // The source is a name from the drive list, not a path: only the output
    // is expanded.
    BeginJobLog(source, Expanded(output));
    RunGuard guard([this] { RestoreAfterRun(); });

    if (const QString refusal = GetOutputRefusal(output); !refusal.isEmpty()) {
        RefuseJob(refusal);
        AbortJob(source);
        return;
    }
    if (!AskOutputQuestions(output, IsValidDstFileExt(output), AskingThroughWindow())) {
        AbortJob(source);
        return;
    }
    const bool succeeded = RunJob(source, Expanded(output));
    EndJobLog();
    const bool aborted = IsStopRequested();
    QString text;
    bool plainBox = true;
    GetResultMessage(source, output, succeeded, aborted, text, plainBox);
    ShowResult(text, plainBox);
}

// Only Yes goes on: a question closed without an answer stops the run.
bool TPellinMainForm::AskOrAbort(const QString& question) {
    return FMessages.Confirm(this, question) == MessageService::Answer::Yes;
}

OutputQuestions TPellinMainForm::AskingThroughWindow() {
    return OutputQuestions{[this](const QString& question) { return AskOrAbort(question); },
                           [this](const QString& text) { FMessages.Error(this, text); },
                           [this](const QString& output) { return DstFileExists(output); }};
}

bool TPellinMainForm::PrepareOutputFolder(const QString& output) {
    return ::PrepareOutputFolder(output, AskingThroughWindow());
}

void TPellinMainForm::AbortJob(const QString& srcFile) {
    AppendLog(tr(kAbortCloning).arg(host::FileNamePart(srcFile)));
}

// An error box and the log lines of a refusal, before anything is opened.
void TPellinMainForm::RefuseJob(const QString& refusal) {
    FMessages.Error(this, refusal);
    AppendLog(kSeparatorLine);
    AppendLog(refusal);
    AppendLog(kSeparatorLine);
}

void TPellinMainForm::ShowResult(const QString& text, bool plainBox) {
    if (text.trimmed().isEmpty())
        return;
    AppendLog(StripHtmlTags(text));
    if (IsClosing())
        return;
    if (plainBox) {
        FMessages.Information(this, text);
        return;
    }
    std::unique_ptr<QDialog> form(CreateResultForm(text));
    FMessages.ShowModal(form.get());
}

void TPellinMainForm::RestoreAfterRun() {
    btnRepair->setText(tr(kStartCloning));
    SetButtonStyle(btnRepair, "startbutton");
    btnRepairFiles->setEnabled(true);
    EnableControls(true);
    EndJob();
}

void TPellinMainForm::GetResultMessage(const QString& srcFile, const QString& dstFile,
                                       bool succeeded, bool aborted, QString& text,
                                       bool& plainBox) {
    plainBox = true;
    if (aborted) {
        text = tr(kUserAborts);
    } else if (succeeded) {
        GetSuccessMessage(srcFile, dstFile, text);
        plainBox = false;
    } else {
        text = tr(kFailToClone).arg(srcFile);
    }
}

void TPellinMainForm::BeginJobLog(const QString& srcFile, const QString& dstFile) {
    FInRepair = true;
    FIsStopping = false;
    const auto size = static_cast<double>(GetSrcSize(srcFile));
    AppendLog(tr(kLogStart));
    AppendLog(kSeparatorLine);
    AppendLog(tr(kLogSource).arg(srcFile, QLocale().toString(size, 'f', 0)));
    AppendLog(tr(kLogOutput).arg(dstFile));
    AppendLog(kSeparatorLine);
    FStartTime = QDateTime::currentDateTime();
    labConsumedTime->setText(
        FormatElapsedTime(kElapsedDisplayPattern, std::chrono::milliseconds(0)));
    Timer->start();
}

void TPellinMainForm::EndJobLog() {
    Timer->stop();
    AppendLog(kSeparatorLine);
    AppendLog(FormatElapsedTime(kElapsedLogPattern, std::chrono::milliseconds(FStartTime.msecsTo(
                                                        QDateTime::currentDateTime()))));
    AppendLog(kSeparatorLine);
    AppendLog(tr(kLogCompletes));
    AppendLog(kSeparatorLine);
}

void TPellinMainForm::EndJob() {
    Timer->stop();
    FInRepair = false;
    FIsStopping = false;
}

void TPellinMainForm::EnableControls(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(txtDstFile), static_cast<QWidget*>(btnDstMore),
                       static_cast<QWidget*>(btnSaveLog), static_cast<QWidget*>(btnAddFiles),
                       static_cast<QWidget*>(btnRemoveFiles), static_cast<QWidget*>(btnRemoveAll),
                       static_cast<QWidget*>(btnSaveBatchLog), static_cast<QWidget*>(txtSrcFile)})
        w->setEnabled(enabled);
}

bool TPellinMainForm::IsValidDstFileExt(const QString&) {
    return true;
}

QString TPellinMainForm::GetOutputRefusal(const QString&) {
    return {};
}

// Only a regular file is overwritten by an image: a folder (or a device)
// of that name is left for the engine to refuse or to write into.
bool TPellinMainForm::DstFileExists(const QString& dstFile) {
    return QFileInfo(dstFile).isFile();
}

uint64_t TPellinMainForm::GetSrcSize(const QString& srcFile) {
    const QFileInfo info(srcFile);
    return info.isFile() ? static_cast<uint64_t>(info.size()) : 0;
}

void TPellinMainForm::GetRepairOptionsStruct(TOptionsStruct*) {}

void TPellinMainForm::SetProgress(int value, QProgressBar* gauge, QLabel* label) {
    if (gauge->value() == value)
        return;
    gauge->setValue(value);
    label->setText(tr(kProgress).arg(value));
}

void TPellinMainForm::SendEngineMessage(uintptr_t msg, uintptr_t param) {
    QObject* window = FHFormWnd;
    if (!window)
        return;
    if (QThread::currentThread() == window->thread()) {
        HFormWndProc(msg, param);
        return;
    }
    // Blocking: the parameter points into the engine's memory, valid only
    // until this call returns, and the window sees messages in engine order.
    QMetaObject::invokeMethod(
        window, [this, msg, param] { HFormWndProc(msg, param); }, Qt::BlockingQueuedConnection);
}

void TPellinMainForm::HFormWndProc(uintptr_t msg, uintptr_t param) {
    bool handled = true;
    if (msg == JOBMSG_PROGRESS) {
        SetProgress(*reinterpret_cast<const uint8_t*>(param), Gauge, labProgress);
        QCoreApplication::processEvents();
        return;
    }
    HandleEngineMessage(msg, param, handled);
    // A message nobody handles is dropped, as the default processing does.
}

bool TPellinMainForm::RunCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty())
        return false;
    QString file;
    bool quit = false;
    for (const QString& argument : arguments) {
        if (argument.startsWith('-'))
            quit = quit || argument.mid(1).compare("E", Qt::CaseInsensitive) == 0;
        else if (file.isEmpty())
            file = argument;
    }
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        FMessages.Error(this, tr(kCannotOpenFile).arg(file.isEmpty() ? arguments.first() : file));
        return false;
    }
    txtSrcFile->setText(file);
    txtDstFile->clear();
    btnRepairClick();
    return quit;
}
