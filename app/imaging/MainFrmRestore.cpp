// The start/stop cycle of a restore: an image file written back onto the
// chosen drive or disk by the same engine job as a clone, the roles swapped.
#include "DragEdit.h"
#include "ElapsedTime.h"
#include "LogText.h"
#include "MainFrm.h"
#include "MessageService.h"
#include "RestoreChecks.h"
#include "SizeText.h"
#include "SpecConsts.h"

#include <QDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <memory>

void TMainForm::btnRestoreClick() {
    FDstIsImageFile = false;
    if (FInRestore) {
        FIsRestoreStopping = true; // the running restore passes it on to the engine
        return;
    }
    // A clone or batch holds the worker: a second job must not start inside it.
    if (FInRepair || FInBatchRepair)
        return;
    const QString source = txtRestoreSrcFile->text();
    const QString target = txtRestoreDstFile->text();
    if (const QString refusal = RestoreInputRefusal(source, target); !refusal.isEmpty()) {
        Messages().Information(this, refusal);
        return;
    }
    StartRestore(source, target);
}

void TMainForm::StartRestore(const QString& source, const QString& target) {
    FInRestore = true;
    FIsRestoreStopping = false;
    btnRestore->setText(tr(kStopRestore));
    SetButtonStyle(btnRestore, "stopbutton");
    btnRestore->repaint();
    btnRepairFiles->setEnabled(false);
    txtRepairLog->clear();
    txtRepairLog->repaint();
    EnableControls(false);
    // Marks the single job as running; its clone header is not kept.
    BeginJobLog(source, target);
    txtRepairLog->clear();
    struct EndOnExit {
        TMainForm* form;
        ~EndOnExit() { form->EndRestore(); }
    } end{this};

    AppendLog(tr(kLogRestoreStart));
    AppendLog(kSeparatorLine);
    AppendLog(
        tr(kLogRestoreSource)
            .arg(source, QLocale().toString(static_cast<double>(GetSrcSize(source)), 'f', 0)));
    AppendLog(tr(kLogRestoreTarget).arg(target));
    AppendLog(kSeparatorLine);
    FStartProcessTime = QDateTime::currentDateTime();
    const bool ok = RunJob(source, target);
    AppendLog(kSeparatorLine);
    Timer->stop();
    // RunJob restarts the clock when the job starts: the question is not counted.
    AppendLog(FormatElapsedTime(
        kElapsedLogPattern,
        std::chrono::milliseconds(FStartProcessTime.msecsTo(QDateTime::currentDateTime()))));
    AppendLog(kSeparatorLine);
    AppendLog(tr(kLogRestoreCompletes));
    AppendLog(kSeparatorLine);

    // A stop asked on either page ends the restore as the user's.
    if (FIsRestoreStopping || IsStopRequested()) {
        AppendLog(tr(kUserAbortsRestore));
        if (!IsClosing()) // stopped for a close: no box holds the close up
            Messages().Information(this, tr(kUserAbortsRestore));
    } else if (ok) {
        const QString text = GetRestoreSuccessText();
        AppendLog(text);
        std::unique_ptr<QDialog> form(CreateResultForm(text));
        Messages().ShowModal(form.get());
    } else {
        const QString text = tr(kFailToRestore).arg(target);
        AppendLog(text);
        Messages().Information(this, text);
    }
}

void TMainForm::EndRestore() {
    FInRestore = false;
    FIsRestoreStopping = false;
    btnRestore->setText(tr(kStartRestore));
    SetButtonStyle(btnRestore, "startbutton");
    btnRestore->repaint();
    btnRepairFiles->setEnabled(true);
    EnableControls(true);
    EndJob();
}

QString TMainForm::GetRestoreSuccessText() const {
    return tr(kRestoreSuccess).arg(FormatSize(FObjCount), txtRestoreSrcFile->text());
}
