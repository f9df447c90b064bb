// The framework's main window: header with the page buttons, one visible
// page, footer; the start/stop cycle of a single job; the hand-off of the
// engine's messages from the worker; the process log. Everything particular
// to disk imaging is a virtual operation that the product window overrides.
#pragma once

#include "OutputQuestions.h"
#include "vorlik/JobRecord.h"

#include <QDateTime>
#include <QStringList>
#include <QWidget>
#include <cstdint>

class MessageService;
class QBoxLayout;
class QButtonGroup;
class QGridLayout;
class QCheckBox;
class QDialog;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;
class QTreeWidget;
class TDragEdit;
class TPellinPanel;
class TPellinSetting;
class TSaveLogDialog;

class TPellinMainForm : public QWidget {
    Q_OBJECT
  public:
    enum Page { kClonePage = 1, kBatchPage = 2, kOptionsPage = 3, kAboutPage = 4 };

    explicit TPellinMainForm(MessageService& messages, QWidget* parent = nullptr);
    ~TPellinMainForm() override;

    QObject* GetHFormWnd() const { return FHFormWnd; }
    int GetActiveMainTabIndex() const { return FActiveMainTabIndex; }
    int GetActiveSubTabIndex() const { return FActiveSubTabIndex; }
    // Fills the options of a new job; the framework leaves them untouched.
    virtual void GetRepairOptionsStruct(TOptionsStruct* options);

    // Called on the worker: delivers an engine message to the window thread
    // and returns once it has been handled there.
    void SendEngineMessage(uintptr_t msg, uintptr_t param);

    // Runs the command line's file and switches; true when the program
    // should end now (switch E).
    bool RunCommandLine(const QStringList& arguments);

    bool IsStopRequested() const { return FIsStopping || FIsBatchStopping; }
    // The window is waiting for the run to end in order to close: results
    // go to the log only, no box holds the close up.
    bool IsClosing() const { return FCloseAfterRun; }
    MessageService& Messages() const { return FMessages; }

    void AppendLog(const QString& text);
    QStringList LogLines() const;
    // Writes the log, with version, system and setting information when asked.
    bool SaveLogFile(const QString& fileName, bool includeSysInfo);

  public slots:
    virtual void btnRepairClick();
    void MainTabChange(int index);
    void SubTabChange(int index);
    void btnDstMoreClick();
    void btnSaveLogClick();
    void TimerTimer();
    void btnHelpClick();
    // The batch page: start or stop of the batch run, the list's buttons and
    // the batch's consumed-time display.
    virtual void btnRepairFilesClick();
    void btnRemoveFilesClick();
    void btnRemoveAllClick();
    void BatchTimerTimer();

  protected:
    // Set-up and tear-down; the most derived window calls them, at the end
    // of its construction and at the start of its destruction.
    void FormCreate();
    void FormDestroy();

    virtual void HandleEngineMessage(uintptr_t msg, uintptr_t param, bool& handled) = 0;
    virtual bool IsValidDstFileExt(const QString& dstFile);
    // Why the output cannot be used at all, asked before any question;
    // empty when it can.
    virtual QString GetOutputRefusal(const QString& dstFile);
    virtual bool DstFileExists(const QString& dstFile);
    virtual bool RunJob(const QString& srcFile, const QString& dstFile) = 0;
    virtual void BeginJobLog(const QString& srcFile, const QString& dstFile);
    virtual void EndJob();
    virtual void EnableControls(bool enabled);
    virtual void GetSuccessMessage(const QString& srcFile, const QString& dstFile,
                                   QString& text) = 0;
    virtual QDialog* CreateResultForm(const QString& text) = 0;
    virtual void InitForm() = 0;
    virtual void DoneForm() = 0;
    virtual void AddSettingInfo(QStringList& lines) = 0;
    virtual uint64_t GetSrcSize(const QString& srcFile);
    virtual void MainTabChanged(int index);
    // A run of any kind is going: the product adds the runs of its own pages.
    virtual bool IsRunGoing() const;
    // Asks the running run to stop, as its stop button does.
    virtual void StopRun();
    // The update check after the first show.
    virtual void RunAutoUpdate();

    // Places for the product's own controls.
    void AddSourceSelector(QWidget* selector, QWidget* refresh);
    void AddOutputNote(QWidget* note);
    void AddProgressInfo(QWidget* info);
    void AddOption(QWidget* label, QWidget* control);
    // A page of the product's own, shown by its page button through
    // MainTabChange; `position` counts the header's page buttons from the left.
    void AddPage(QWidget* page);
    void AddPageButton(QPushButton* button, int index, int position);
    // The process log, its progress panel and Save Log are shared by the
    // pages that run jobs: this puts them on `grid` from `row` on, across
    // `columns` columns, the progress panel as wide as the log.
    void PlaceLogArea(QGridLayout* grid, int row, int columns);
    QGridLayout* RepairTabGrid() const { return FRepairGrid; }
    static constexpr int kRepairLogRow = 4;
    static constexpr int kRepairColumns = 4;

    void GetResultMessage(const QString& srcFile, const QString& dstFile, bool succeeded,
                          bool aborted, QString& text, bool& plainBox);
    void SetProgress(int value, QProgressBar* gauge, QLabel* label);
    // The skin's look of a start/stop button: "startbutton" or "stopbutton".
    void SetButtonStyle(QPushButton* button, const char* style);
    void EndJobLog();
    void FormShow();
    void showEvent(QShowEvent* event) override;
    void customEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    bool FInRepair = false;
    bool FIsStopping = false;
    bool FInBatchRepair = false;
    bool FIsBatchStopping = false;
    QDateTime FStartTime;
    QDateTime FBatchStartTime;
    int FActiveMainTabIndex = kClonePage;
    int FActiveSubTabIndex = 1;
    QObject* FHFormWnd = nullptr;
    TPellinSetting* FSetting = nullptr;

    // Controls, named as their object names.
    TPellinPanel* palHeader = nullptr;
    QWidget* palRightHeader = nullptr;
    QPushButton* btnRepairTab = nullptr;
    QPushButton* btnBatchRepairTab = nullptr;
    QPushButton* btnOptionsTab = nullptr;
    QPushButton* btnAboutTab = nullptr;
    QPushButton* btnFacebookLikeImage = nullptr;
    QButtonGroup* FPageButtons = nullptr;

    QWidget* palRepairTab = nullptr;
    QLabel* labSelSrcFile = nullptr;
    TDragEdit* txtSrcFile = nullptr;
    QLabel* labSelDstFile = nullptr;
    QLineEdit* txtDstFile = nullptr;
    QPushButton* btnDstMore = nullptr;
    QPushButton* btnRepair = nullptr;
    QLabel* labRepairLogPrompt = nullptr;
    QPlainTextEdit* txtRepairLog = nullptr;
    QPushButton* btnSaveLog = nullptr;
    TPellinPanel* palProgress = nullptr;
    QLabel* labProgress = nullptr;
    QLabel* labConsumedTimePrompt = nullptr;
    QLabel* labConsumedTime = nullptr;
    QProgressBar* Gauge = nullptr;

    QWidget* palBatchRepairTab = nullptr;
    QTreeWidget* FileList = nullptr;
    QPushButton* btnRepairFiles = nullptr;
    QPushButton* btnAddFiles = nullptr;
    QPushButton* btnRemoveFiles = nullptr;
    QPushButton* btnRemoveAll = nullptr;
    QPushButton* btnSaveBatchLog = nullptr;
    TPellinPanel* palBatchProgress = nullptr;
    QLabel* labBatchProgress = nullptr;
    QLabel* labBatchConsumedTime = nullptr;
    QProgressBar* BatchGauge = nullptr;

    QWidget* palOptionsTab = nullptr;
    QPushButton* btnOptionsSubTab = nullptr;
    QPushButton* btnAdvOptionsSubTab = nullptr;
    QButtonGroup* FSubPageButtons = nullptr;
    QWidget* palOptionsSubTab = nullptr;
    QWidget* palAdvOptionsSubTab = nullptr;
    QLineEdit* txtTempDir = nullptr;
    QPushButton* btnMoreDir = nullptr;
    QSpinBox* txtBufSize = nullptr;
    QCheckBox* chkAutoUpdate = nullptr;

    QWidget* palAboutTab = nullptr;
    QLabel* labTitle = nullptr;
    QLabel* labVersion = nullptr;
    QLabel* labCopyright = nullptr;
    QLabel* labHomepage = nullptr;
    QLabel* labSupportCenter = nullptr;
    QLabel* labEmail = nullptr;
    QPushButton* imgLogo = nullptr;

    QWidget* palLeftFooter = nullptr;
    QPushButton* btnHelp = nullptr;
    QPushButton* btnFacebookLike = nullptr;
    QPushButton* btnFeedback = nullptr;

    QTimer* Timer = nullptr;
    QTimer* BatchTimer = nullptr;
    QFileDialog* SaveDialog = nullptr;
    TSaveLogDialog* SaveLogDialog = nullptr;

  private:
    void BuildHeader();
    void BuildClonePage();
    void BuildBatchPage();
    void BuildOptionsPage();
    void BuildAboutPage();
    void BuildFooter();
    void ConnectLinks();
    QWidget* PageArea() const { return FPageArea; }
    void HFormWndProc(uintptr_t msg, uintptr_t param);
    bool AskOrAbort(const QString& question);
    bool PrepareOutputFolder(const QString& output);
    OutputQuestions AskingThroughWindow();
    void AbortJob(const QString& srcFile);
    void RefuseJob(const QString& refusal);
    void ConnectSessionEnd();
    void CloseWithoutAsking();
    void CloseWhenRunEnded();
    void RestoreAfterRun();
    void ShowResult(const QString& text, bool plainBox);
    void GetLogWithSysInfo(QStringList& lines);
    void SaveDialogTypeChange(const QString& filter);
    void OpenLink(const QString& url);
    // The batch run, entry by entry.
    enum class TBatchStep { Run, Skip, Abort };
    struct TBatchFlags {
        bool yesToAll = false;
        bool noToAll = false;
    };
    struct TBatchAnswers {
        TBatchFlags extension; // Warning 2
        TBatchFlags folder;    // Warning 4
        TBatchFlags existing;  // Warning 1
    };
    void ConnectBatchPage();
    void StartBatchRun(int count);
    int RunBatchEntries(int count);
    TBatchStep CheckBatchEntry(const QString& output, TBatchAnswers& answers);
    TBatchStep AskBatchStep(const QString& question, TBatchFlags& flags);
    bool RunBatchEntry(int row, const QString& source, const QString& output);
    void AbortBatchItem(int row, const QString& source);
    void SkipBatchItem(int row, const QString& source);
    void RefuseBatchItem(int row, const QString& refusal);
    void SetBatchStatus(int row, const char* status);
    void RestoreAfterBatch();
    void FileListKeyDown(QKeyEvent* event);
    void AlignSourceAndOutputFields();
    void CentreOnScreen();

    MessageService& FMessages;
    QWidget* FPageArea = nullptr;
    QBoxLayout* FPageLayout = nullptr;
    QBoxLayout* FPageButtonRow = nullptr;
    QGridLayout* FRepairGrid = nullptr;
    QBoxLayout* FSourceRow = nullptr;
    QBoxLayout* FNoteRow = nullptr;
    QGridLayout* FProgressGrid = nullptr;
    QGridLayout* FOptionsGrid = nullptr;
    int FOptionRows = 0;
    bool FShown = false;
    bool FCloseAfterRun = false; // the run was stopped for a close
    bool FCloseUnasked = false;  // the session ends or the program quits
    QTimer* FCloseTimer = nullptr;
};
