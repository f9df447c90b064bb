// The batch run: every row of the list is cloned in turn through the single
// job's steps, its questions answered once for the whole run if the user
// likes, each row keeping a status; and the list's own buttons and keys.
#include "PellinMain.h"

#include "ConfirmBatchStep.h"
#include "ElapsedTime.h"
#include "LogText.h"
#include "MessageService.h"
#include "OutputQuestions.h"
#include "PellinConsts.h"
#include "RunGuard.h"
#include "host/HostQueries.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

using namespace pellin_text;

namespace {

constexpr int kOutputColumn = 1;
constexpr int kStatusColumn = 2;

QString ExpandedPath(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

// Hands the Delete key, with or without Shift, to the batch list's handler.
class DeleteKeyFilter : public QObject {
  public:
    DeleteKeyFilter(QObject* parent, std::function<void(QKeyEvent*)> onDelete)
        : QObject(parent), m_onDelete(std::move(onDelete)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Delete)
            return false;
        m_onDelete(key);
        return true;
    }

  private:
    std::function<void(QKeyEvent*)> m_onDelete;
};

std::chrono::milliseconds Since(const QDateTime& start) {
    return std::chrono::milliseconds(start.msecsTo(QDateTime::currentDateTime()));
}

} // namespace

void TPellinMainForm::ConnectBatchPage() {
    connect(btnRepairFiles, &QPushButton::clicked, this, [this] { btnRepairFilesClick(); });
    connect(btnRemoveFiles, &QPushButton::clicked, this, &TPellinMainForm::btnRemoveFilesClick);
    connect(btnRemoveAll, &QPushButton::clicked, this, &TPellinMainForm::btnRemoveAllClick);
    connect(BatchTimer, &QTimer::timeout, this, &TPellinMainForm::BatchTimerTimer);
    FileList->installEventFilter(
        new DeleteKeyFilter(FileList, [this](QKeyEvent* key) { FileListKeyDown(key); }));
}

void TPellinMainForm::btnRepairFilesClick() {
    if (FInBatchRepair) {
        FIsBatchStopping = true; // the running entry and the loop see it
        return;
    }
    const int count = FileList->topLevelItemCount(); // taken once, for the whole run
    if (count == 0) {
        FMessages.Information(this, tr(kAddToListFirst));
        return;
    }
    StartBatchRun(count);
    int successes = 0;
    {
        RunGuard guard([this] { RestoreAfterBatch(); });
        successes = RunBatchEntries(count);
        SetProgress(100, BatchGauge, labBatchProgress);
    }
    const QString summary = tr(kBatchSummary).arg(successes);
    AppendLog(summary);
    if (!IsClosing()) // the window closes as soon as the run has ended
        FMessages.Information(this, summary);
}

void TPellinMainForm::StartBatchRun(int count) {
    FInBatchRepair = true;
    FIsBatchStopping = false;
    btnRepairFiles->setText(tr(kStopCloning));
    SetButtonStyle(btnRepairFiles, "stopbutton");
    btnRepair->setEnabled(false);
    txtRepairLog->clear();
    txtRepairLog->repaint();
    EnableControls(false);

    FBatchStartTime = QDateTime::currentDateTime();
    BatchTimer->start();
    BatchGauge->setValue(0);
    labBatchProgress->setText(tr(kProgress).arg(0));
    labBatchConsumedTime->setText(
        FormatElapsedTime(kElapsedDisplayPattern, std::chrono::milliseconds(0)));
    for (int row = 0; row < count; ++row)
        SetBatchStatus(row, kStatusNotCloned);

    AppendLog(tr(kBatchLogStart));
    AppendLog(kSeparatorLine);
    AppendLog(tr(kBatchLogTotal).arg(count));
    AppendLog(kSeparatorLine);
    AppendLog(QString());
}

// Returns the number of entries cloned successfully.
int TPellinMainForm::RunBatchEntries(int count) {
    TBatchAnswers answers; // the run's "to All" answers, per question
    int successes = 0;
    for (int row = 0; row < count; ++row) {
        if (FIsBatchStopping)
            break;
        const QTreeWidgetItem* item = FileList->topLevelItem(row);
        if (!item)
            break;
        const QString source = item->text(0);
        const QString output = item->text(kOutputColumn);
        // A drive or disk typed as the output is refused before any question.
        if (const QString refusal = GetOutputRefusal(output); !refusal.isEmpty()) {
            RefuseBatchItem(row, refusal);
            SetProgress((row + 1) * 100 / count, BatchGauge, labBatchProgress);
            continue;
        }
        const TBatchStep step = CheckBatchEntry(output, answers);
        if (step == TBatchStep::Abort) {
            AbortBatchItem(row, source);
            break;
        }
        if (step == TBatchStep::Skip) {
            SkipBatchItem(row, source); // the gauge stays where it is
            continue;
        }
        if (RunBatchEntry(row, source, output))
            ++successes;
        SetProgress((row + 1) * 100 / count, BatchGauge, labBatchProgress);
        QCoreApplication::processEvents();
    }
    return successes;
}

// The questions of the single job, in its order, each answered for this
// entry or, with "to All", for the rest of the run.
TPellinMainForm::TBatchStep TPellinMainForm::CheckBatchEntry(const QString& output,
                                                             TBatchAnswers& answers) {
    const QString fileName = host::FileNamePart(output);
    if (!IsValidDstFileExt(output)) {
        const TBatchStep step =
            AskBatchStep(tr(kWarningExtension).arg(fileName), answers.extension);
        if (step != TBatchStep::Run)
            return step;
    }
    // The single job's folder step, its question answered the batch's way.
    TBatchStep folderStep = TBatchStep::Run;
    const OutputQuestions questions{[&](const QString& question) {
                                        folderStep = AskBatchStep(question, answers.folder);
                                        return folderStep == TBatchStep::Run;
                                    },
                                    [&](const QString& text) {
                                        FMessages.Error(this, text);
                                        folderStep = TBatchStep::Skip;
                                    },
                                    [this](const QString& file) { return DstFileExists(file); }};
    if (!::PrepareOutputFolder(output, questions))
        return folderStep;
    if (DstFileExists(output))
        return AskBatchStep(tr(kWarningFileExists).arg(fileName), answers.existing);
    return TBatchStep::Run;
}

TPellinMainForm::TBatchStep TPellinMainForm::AskBatchStep(const QString& question,
                                                          TBatchFlags& flags) {
    bool cancel = false;
    const bool proceed =
        ConfirmBatchStep(FMessages, this, question, flags.yesToAll, cancel, flags.noToAll);
    if (cancel)
        return TBatchStep::Abort;
    return proceed ? TBatchStep::Run : TBatchStep::Skip;
}

// Runs one entry as the single job does, with its result in the log
// instead of a message box. True when the entry was cloned.
bool TPellinMainForm::RunBatchEntry(int row, const QString& source, const QString& output) {
    const QString destination = ExpandedPath(output);
    BeginJobLog(source, destination);
    bool succeeded = false;
    bool aborted = false;
    {
        RunGuard endJob([this] { EndJob(); });
        succeeded = RunJob(source, destination);
        EndJobLog();
        aborted = IsStopRequested();
        QString text;
        bool plainBox = true;
        GetResultMessage(source, output, succeeded, aborted, text, plainBox);
        if (!text.trimmed().isEmpty())
            AppendLog(StripHtmlTags(text));
        AppendLog(kSeparatorLine);
        AppendLog(QString());
    }
    // A copy that had finished when the stop came still counts.
    SetBatchStatus(row, succeeded ? kStatusSuccessful : aborted ? kStatusAborted : kStatusFailed);
    return succeeded;
}

void TPellinMainForm::AbortBatchItem(int row, const QString& source) {
    AppendLog(kSeparatorLine);
    AppendLog(tr(kAbortCloning).arg(host::FileNamePart(source)));
    AppendLog(kSeparatorLine);
    AppendLog(QString());
    SetBatchStatus(row, kStatusAborted);
}

void TPellinMainForm::SkipBatchItem(int row, const QString& source) {
    AppendLog(kSeparatorLine);
    AppendLog(tr(kSkipCloning).arg(host::FileNamePart(source)));
    AppendLog(kSeparatorLine);
    AppendLog(QString());
    SetBatchStatus(row, kStatusSkipped);
}

void TPellinMainForm::RefuseBatchItem(int row, const QString& refusal) {
    RefuseJob(refusal);
    AppendLog(QString());
    SetBatchStatus(row, kStatusFailed);
}

void TPellinMainForm::SetBatchStatus(int row, const char* status) {
    if (QTreeWidgetItem* item = FileList->topLevelItem(row))
        item->setText(kStatusColumn, tr(status));
}

void TPellinMainForm::RestoreAfterBatch() {
    FInBatchRepair = false;
    FIsBatchStopping = false;
    btnRepairFiles->setText(tr(kStartCloning));
    SetButtonStyle(btnRepairFiles, "startbutton");
    btnRepair->setEnabled(true);
    EnableControls(true);
    BatchTimer->stop();
    AppendLog(kSeparatorLine);
    AppendLog(FormatElapsedTime(kElapsedBatchLogPattern, Since(FBatchStartTime)));
    AppendLog(kSeparatorLine);
    AppendLog(tr(kBatchLogCompletes));
    AppendLog(kSeparatorLine);
}

void TPellinMainForm::BatchTimerTimer() {
    if (FInBatchRepair)
        labBatchConsumedTime->setText(
            FormatElapsedTime(kElapsedDisplayPattern, Since(FBatchStartTime)));
}

// From the last row to the first, so that the rows still to visit keep
// their places.
void TPellinMainForm::btnRemoveFilesClick() {
    for (int row = FileList->topLevelItemCount() - 1; row >= 0; --row) {
        if (FileList->topLevelItem(row)->isSelected())
            delete FileList->takeTopLevelItem(row);
    }
}

void TPellinMainForm::btnRemoveAllClick() {
    FileList->clear();
}

// Delete removes the selected rows, Shift+Delete all of them, each only
// while its button is enabled, so never during a run.
void TPellinMainForm::FileListKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Delete)
        return;
    if (event->modifiers() & Qt::ShiftModifier) {
        if (btnRemoveAll->isEnabled())
            btnRemoveAllClick();
    } else if (btnRemoveFiles->isEnabled()) {
        btnRemoveFilesClick();
    }
}
