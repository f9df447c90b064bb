// The product's main window: the framework's window made a disk imager. It
// maps drive list names to devices, refuses an output on its own source,
// runs each job on a worker thread, shows the engine's reports and the
// speed line, and keeps the settings from start to exit.
#pragma once

#include "DriveList.h"
#include "JobOutcome.h"
#include "PellinMain.h"

#include <QDateTime>
#include <QStringList>

class QComboBox;
class QFileDialog;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TDragEdit;
class TPellinPanel;
class TSearchForm;
class TSetting;

class TMainForm : public TPellinMainForm {
    Q_OBJECT
  public:
    enum ProductPage { kRestorePage = 5 };

    explicit TMainForm(MessageService& messages, QWidget* parent = nullptr);
    ~TMainForm() override;

  public slots:
    void btnRepairClick() override;
    void cmbSrcDrivesChange();
    // The one refresh of the drive list: every page and dialog that offers
    // drives and disks calls it, and every drop-down of the window follows.
    void btnDriveRefreshClick();
    // The batch page: every run a clone; entries added through the dialog.
    void btnRepairFilesClick() override;
    void btnAddFilesClick();

    // The Restore page.
    void btnRestoreClick();
    void btnRestoreSrcMoreClick();
    // Searches the local disks for an image file; the chosen one becomes
    // the source.
    void btnRestoreSrcSearchClick();
    void txtRestoreSrcFileDropFile(QObject* sender, const QString& file);
    void cmbRestoreDstDrivesChange();

  public:
    const TDriveList& DriveList() const { return FDriveList; }
    // The image search window, made once at start and kept until the end.
    void CreateSearchForm();
    TSearchForm* SearchForm() const { return FSearchForm; }
    // Appends a row to the batch list unless the drive or disk is listed.
    void AddBatchEntry(const QString& displayName, const QString& outputFile);

  protected:
    void HandleEngineMessage(uintptr_t msg, uintptr_t param, bool& handled) override;
    bool IsValidDstFileExt(const QString& dstFile) override;
    QString GetOutputRefusal(const QString& dstFile) override;
    bool RunJob(const QString& srcFile, const QString& dstFile) override;
    void BeginJobLog(const QString& srcFile, const QString& dstFile) override;
    void EndJob() override;
    void EnableControls(bool enabled) override;
    void GetSuccessMessage(const QString& srcFile, const QString& dstFile, QString& text) override;
    QDialog* CreateResultForm(const QString& text) override;
    void InitForm() override;
    void DoneForm() override;
    void AddSettingInfo(QStringList& lines) override;
    uint64_t GetSrcSize(const QString& srcFile) override;
    void GetRepairOptionsStruct(TOptionsStruct* options) override;
    bool IsRunGoing() const override;
    void StopRun() override;
    void MainTabChanged(int index) override;

  private:
    void UpdateSpeedInfo(int64_t elapsedMsecs, int64_t bytes);
    bool WaitForJob(const QString& source, const QString& destination);
    void FillDriveLists();
    void BuildRestorePage();
    void SetUpRestorePage();
    void StartRestore(const QString& source, const QString& target);
    void EndRestore();
    QString GetRestoreSuccessText() const;
    TSetting* Setting() const;

    TSearchForm* FSearchForm = nullptr;
    bool FInRestore = false;
    bool FIsRestoreStopping = false;
    int64_t FObjCount = 0;
    int64_t FBadSectorCount = 0;
    QDateTime FStartProcessTime;
    bool FDstIsImageFile = true;
    TDriveList FDriveList;  // display names and the device paths behind them
    JobOutcome FJobOutcome; // what the engine reported during the current job

    QComboBox* cmbSrcDrives = nullptr;
    QPushButton* btnSrcRefresh = nullptr;
    QLabel* labDstFileNote = nullptr;
    QLabel* labCurStatInfo = nullptr;
    QLabel* labReplaceData = nullptr;
    QSpinBox* txtReplaceData = nullptr;

    TPellinPanel* palRestoreTab = nullptr;
    QPushButton* btnRestoreTab = nullptr;
    QLabel* labRestoreSelSrcFile = nullptr;
    TDragEdit* txtRestoreSrcFile = nullptr;
    QPushButton* btnRestoreSrcMore = nullptr;
    QPushButton* btnRestoreSrcSearch = nullptr;
    QLabel* labRestoreSelDstFile = nullptr;
    QComboBox* cmbRestoreDstDrives = nullptr;
    QPushButton* btnRestoreDstRefresh = nullptr;
    QLineEdit* txtRestoreDstFile = nullptr; // hidden: the chosen display name
    QLabel* Label7 = nullptr;
    QPushButton* btnRestore = nullptr;
    QLabel* labRestoreLogPrompt = nullptr;
    QFileDialog* RestoreOpenDialog = nullptr;
    QGridLayout* FRestoreGrid = nullptr;
};
