// The image file search window: searches the local hard drives or a folder
// for image files and hands the chosen ones back to the window that opened
// it. Created once at start, hidden (never destroyed) when it closes, so
// its criteria and results survive between showings.
#pragma once

#include <QDateTime>
#include <QDialog>
#include <QStringList>

#include <cstdint>
#include <vector>

class MessageService;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;
class QTreeWidget;
class TFileSearch;
class TPellinPanel;
struct TFoundFile;

class TSearchForm : public QDialog {
    Q_OBJECT
  public:
    explicit TSearchForm(MessageService& messages, QWidget* parent = nullptr);
    ~TSearchForm() override;

    // Adopts each skin (a style sheet) only when the window has none yet
    // and the one given is not empty.
    void SetSkins(const QString& formStoredSkin, const QString& ctrlStoredSkin,
                  const QString& dialogStoredSkin, const QString& skinHint);
    void SetMultiSelect(bool isMultiSelect);

    // 1 when the user confirmed a selection with Add Selected; openers set
    // it to 0 before each showing.
    int Tag = 0;
    QTreeWidget* fl = nullptr;
    // Full paths of the selected rows in list order (Directory, a path
    // delimiter where it has none, Name).
    QStringList SelectedFiles() const;

    bool IsSearching() const { return FInSearch; }
    QString HardDrives() const { return FHardDrives; }

  public slots:
    void btnSearchClick();
    void btnSelectDirClick();
    void btnAdvOptionsClick();
    void SetAdvOptControls();
    void btnAddSelectedClick();
    void btnSelectAllClick();
    void btnUnselectAllClick();
    void btnCloseClick();
    void btnHelpClick();
    void TimerTimer();
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void BuildControls();
    QWidget* BuildCriteria();
    QWidget* BuildAdvOptions();
    QWidget* BuildProgress();
    QWidget* BuildButtons();
    void SetHints();
    void FormCreate();
    void PlaceButtons();
    void ClearSearchResults();
    void EndSearchMode();
    bool ConfirmCloseDuringSearch();
    bool ReadCriteria();
    QString LocalHardDrivesEntry() const;
    void SetSearchButton(const char* caption, const char* style);

    void lfFound(const TFoundFile& file);
    void lfDirChange(const QString& name);
    void lfFinished();
    void lfCancel();
    void lfEnd();

    MessageService& FMessages;
    QString FHardDrives;
    std::vector<uint64_t> FOtherFileSystems;
    bool FInSearch = false;
    bool FPromptOnCancel = true;
    bool FMultiSelect = false;
    QDateTime FStartTime;
    QString FFormSkin;
    QString FCtrlSkin;
    QString FDialogSkin;
    QString FSkinHint;

    TPellinPanel* palHeader = nullptr;
    QLabel* labBanner = nullptr;
    QLabel* labFileName = nullptr;
    QComboBox* cmbFileName = nullptr;
    QLabel* labDirectory = nullptr;
    QComboBox* cmbDirectory = nullptr;
    QPushButton* btnSelectDir = nullptr;
    QCheckBox* RecurseSubDirs = nullptr;
    QPushButton* btnSearch = nullptr;
    QLabel* labAdvOptions = nullptr;
    QPushButton* btnAdvOptions = nullptr;

    QWidget* palAdvOptions = nullptr;
    QGroupBox* gbFileSize = nullptr;
    QCheckBox* chkFileMinSize = nullptr;
    QSpinBox* txtMinSize = nullptr;
    QCheckBox* chkFileMaxSize = nullptr;
    QSpinBox* txtMaxSize = nullptr;
    QGroupBox* gbFileAttr = nullptr;
    QCheckBox* chkFileReadOnlyAttr = nullptr;
    QCheckBox* chkFileHiddenAttr = nullptr;
    QCheckBox* chkFileSystemAttr = nullptr;
    QCheckBox* chkFileArchiveAttr = nullptr;
    QGroupBox* gbFileTime = nullptr;
    QCheckBox* chkFileCreatedTime = nullptr;
    QSpinBox* txtFileCreatedTime = nullptr;
    QCheckBox* chkFileLastAccessedTime = nullptr;
    QSpinBox* txtFileLastAccessedTime = nullptr;
    QCheckBox* chkFileModifiedTime = nullptr;
    QSpinBox* txtFileModifiedTime = nullptr;

    TPellinPanel* palProgress = nullptr;
    QLabel* labProgress = nullptr;
    QProgressBar* Gauge = nullptr;
    QLabel* labDir = nullptr;
    QLabel* labConsumedTime = nullptr;
    QLabel* labResults = nullptr;

    QWidget* palButtons = nullptr;
    QPushButton* btnHelp = nullptr;
    QPushButton* btnAddSelected = nullptr;
    QPushButton* btnSelectAll = nullptr;
    QPushButton* btnUnselectAll = nullptr;
    QPushButton* btnClose = nullptr;

    QTimer* Timer = nullptr;
    TFileSearch* lf = nullptr;
};
