// The search window's behaviour: criteria into the file search, its events
// into the result list, and the ways the window closes.
#include "SearchFrm.h"

#include "ElapsedTime.h"
#include "FileSearch.h"
#include "MessageService.h"
#include "PellinPanel.h"
#include "SearchConsts.h"
#include "ShellOpen.h"
#include "host/HardDrives.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>

using namespace search_text;

namespace {

constexpr int kWindowWidth = 765;
constexpr int kWindowHeight = 505;
constexpr int kMinWidth = 757;
constexpr int kMinHeight = 497;
constexpr int kAdvOptionsHeight = 131;
constexpr int kFileNameRight = 467;
// Left edges of the bottom buttons at the window's design width.
constexpr int kHelpLeft = 8;
constexpr int kAddSelectedMultiLeft = 307;
constexpr int kSelectAllLeft = 417;
constexpr int kUnselectAllLeft = 527;
constexpr int kCloseLeft = 637;
constexpr int kButtonTop = 8;

const char* const kButtonStyles =
    "QPushButton[skinStyle=\"stopbutton\"] { color: #b00000; font-weight: bold; }";

std::chrono::system_clock::time_point ToTimePoint(const QDateTime& time) {
    return std::chrono::system_clock::time_point(
        std::chrono::milliseconds(time.toMSecsSinceEpoch()));
}

// The locale's short date and long time, without the time zone.
QString TimeText(const QDateTime& time) {
    const QLocale locale;
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral(R"(\s*\bt+\b)")));
    return locale.toString(time.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(time.time(), timeFormat);
}

bool EndsWithDelimiter(const QString& path) {
    return path.endsWith(u'/') || path.endsWith(QDir::separator());
}

} // namespace

TSearchForm::TSearchForm(MessageService& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMaximizeButtonHint),
      FMessages(messages) {
    setObjectName("SearchForm");
    setModal(true);
    BuildControls();
    FormCreate();
}

TSearchForm::~TSearchForm() {
    // The walk ends here without reporting to a window that is going away.
    delete lf;
    lf = nullptr;
}

void TSearchForm::FormCreate() {
    setWindowTitle(QString());
    setMinimumSize(kMinWidth, kMinHeight);
    resize(kWindowWidth, kWindowHeight);
    labBanner->setText(tr(kBanner));
    setStyleSheet(kButtonStyles);
    SetSearchButton(kStartSearch, "startbutton");

    connect(lf, &TFileSearch::OnFound, this, &TSearchForm::lfFound);
    connect(lf, &TFileSearch::OnDirChange, this, &TSearchForm::lfDirChange);
    connect(lf, &TFileSearch::OnFinished, this, &TSearchForm::lfFinished);
    connect(lf, &TFileSearch::OnCancel, this, &TSearchForm::lfCancel);
    connect(lf, &TFileSearch::OnEnd, this, &TSearchForm::lfEnd);
    connect(btnSearch, &QPushButton::clicked, this, &TSearchForm::btnSearchClick);
    connect(btnSelectDir, &QPushButton::clicked, this, &TSearchForm::btnSelectDirClick);
    connect(btnAdvOptions, &QPushButton::clicked, this, &TSearchForm::btnAdvOptionsClick);
    for (QGroupBox* group : {gbFileSize, gbFileAttr, gbFileTime})
        connect(group, &QGroupBox::toggled, this, &TSearchForm::SetAdvOptControls);
    for (QCheckBox* check : {chkFileMinSize, chkFileMaxSize, chkFileCreatedTime,
                             chkFileLastAccessedTime, chkFileModifiedTime})
        connect(check, &QCheckBox::clicked, this, &TSearchForm::SetAdvOptControls);
    connect(btnAddSelected, &QPushButton::clicked, this, &TSearchForm::btnAddSelectedClick);
    connect(btnSelectAll, &QPushButton::clicked, this, &TSearchForm::btnSelectAllClick);
    connect(btnUnselectAll, &QPushButton::clicked, this, &TSearchForm::btnUnselectAllClick);
    connect(btnClose, &QPushButton::clicked, this, &TSearchForm::btnCloseClick);
    connect(btnHelp, &QPushButton::clicked, this, &TSearchForm::btnHelpClick);
    connect(Timer, &QTimer::timeout, this, &TSearchForm::TimerTimer);

    const QStringList filter = QString(kFileFilter).split(u'|');
    cmbFileName->addItem(filter.value(0), filter.value(1));
    cmbFileName->setCurrentIndex(0);

    const host::HardDrives drives = host::LocalHardDrives();
    for (const QString& root : drives.roots)
        FHardDrives += root + u';';
    FOtherFileSystems = drives.otherFileSystems;
    cmbDirectory->addItem(LocalHardDrivesEntry());
    cmbDirectory->setCurrentIndex(0);

    palAdvOptions->setFixedHeight(0);
    palAdvOptions->setEnabled(false);
    SetAdvOptControls();

    const int comboLeft = labFileName->x() + labFileName->width() + 9;
    cmbFileName->setGeometry(comboLeft, labFileName->y() - 4, kFileNameRight - comboLeft, 24);
    cmbDirectory->setGeometry(comboLeft, labDirectory->y() - 4, kFileNameRight - comboLeft, 24);
    RecurseSubDirs->move(comboLeft, 70);
    btnAdvOptions->move(labAdvOptions->x() + labAdvOptions->width() + 8, labAdvOptions->y() - 3);

    ClearSearchResults();
    Timer->stop();
    FInSearch = false;
    FPromptOnCancel = true;
    SetHints();
    SetMultiSelect(false);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

QString TSearchForm::LocalHardDrivesEntry() const {
    return QString(kLocalHardDrives).arg(FHardDrives);
}

void TSearchForm::SetSkins(const QString& formStoredSkin, const QString& ctrlStoredSkin,
                           const QString& dialogStoredSkin, const QString& skinHint) {
    const auto adopt = [](QString& mine, const QString& given) {
        if (mine.isEmpty() && !given.isEmpty())
            mine = given;
    };
    adopt(FFormSkin, formStoredSkin);
    adopt(FCtrlSkin, ctrlStoredSkin);
    adopt(FDialogSkin, dialogStoredSkin);
    adopt(FSkinHint, skinHint);
    QString sheet = FFormSkin;
    for (const QString& part : {FCtrlSkin, FSkinHint}) {
        if (!sheet.contains(part))
            sheet += u'\n' + part;
    }
    setStyleSheet(sheet + u'\n' + kButtonStyles);
}

void TSearchForm::SetMultiSelect(bool isMultiSelect) {
    FMultiSelect = isMultiSelect;
    fl->setSelectionMode(isMultiSelect ? QAbstractItemView::ExtendedSelection
                                       : QAbstractItemView::SingleSelection);
    btnSelectAll->setVisible(isMultiSelect);
    btnUnselectAll->setVisible(isMultiSelect);
    PlaceButtons();
}

// The buttons keep their distance from the right edge when the window grows.
void TSearchForm::PlaceButtons() {
    const int shift = std::max(0, width() - kWindowWidth);
    btnHelp->move(kHelpLeft, kButtonTop);
    btnAddSelected->move(shift + (FMultiSelect ? kAddSelectedMultiLeft : kUnselectAllLeft),
                         kButtonTop);
    btnSelectAll->move(shift + kSelectAllLeft, kButtonTop);
    btnUnselectAll->move(shift + kUnselectAllLeft, kButtonTop);
    btnClose->move(shift + kCloseLeft, kButtonTop);
}

void TSearchForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceButtons();
}

QStringList TSearchForm::SelectedFiles() const {
    QStringList files;
    for (int row = 0; row < fl->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = fl->topLevelItem(row);
        if (!item->isSelected())
            continue;
        QString directory = item->text(1);
        if (!EndsWithDelimiter(directory))
            directory += QDir::separator();
        files << directory + item->text(0);
    }
    return files;
}

void TSearchForm::SetAdvOptControls() {
    for (QGroupBox* group : {gbFileSize, gbFileAttr, gbFileTime}) {
        for (QWidget* child : group->findChildren<QWidget*>())
            child->setEnabled(group->isChecked());
    }
    if (gbFileSize->isChecked()) {
        txtMinSize->setEnabled(chkFileMinSize->isChecked());
        txtMaxSize->setEnabled(chkFileMaxSize->isChecked());
    }
    if (gbFileTime->isChecked()) {
        txtFileCreatedTime->setEnabled(chkFileCreatedTime->isChecked());
        txtFileLastAccessedTime->setEnabled(chkFileLastAccessedTime->isChecked());
        txtFileModifiedTime->setEnabled(chkFileModifiedTime->isChecked());
    }
}

void TSearchForm::btnAdvOptionsClick() {
    const int screenHeight = screen() ? screen()->geometry().height() : y() + kAdvOptionsHeight;
    if (palAdvOptions->height() == 0) {
        palAdvOptions->setEnabled(true);
        palAdvOptions->setFixedHeight(kAdvOptionsHeight);
        resize(width(), height() + kAdvOptionsHeight);
        move(x(), std::max(0, y() - kAdvOptionsHeight / 2));
        setMinimumHeight(minimumHeight() + kAdvOptionsHeight);
        btnAdvOptions->setText(tr(kCollapse));
    } else {
        palAdvOptions->setEnabled(false);
        palAdvOptions->setFixedHeight(0);
        setMinimumHeight(minimumHeight() - kAdvOptionsHeight);
        resize(width(), height() - kAdvOptionsHeight);
        move(x(), std::min(screenHeight, y() + kAdvOptionsHeight / 2));
        btnAdvOptions->setText(tr(kExpand));
    }
}

void TSearchForm::btnSelectDirClick() {
    const QString current = cmbDirectory->currentText();
    QFileDialog dialog(this, tr(kSelectDirCaption),
                       QFileInfo(current).isDir() ? current : QString());
    dialog.setObjectName("SelectDirDialog");
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    dialog.setStyleSheet(FDialogSkin);
    if (auto* newFolder = dialog.findChild<QWidget*>("newFolderButton"))
        newFolder->hide();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    cmbDirectory->setCurrentIndex(-1);
    cmbDirectory->setEditText(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

void TSearchForm::btnSearchClick() {
    if (FInSearch) {
        FPromptOnCancel = true;
        lf->Cancel();
        return;
    }
    if (!ReadCriteria())
        return;
    SetSearchButton(kStopSearch, "stopbutton");
    ClearSearchResults();
    FStartTime = QDateTime::currentDateTime();
    Timer->start();
    FPromptOnCancel = true;
    FInSearch = true;
    Gauge->setRange(0, 0); // the busy animation
    lf->Execute();
}

// Hands the criteria to the file search; false, after the error message,
// when the size bounds are the wrong way round.
bool TSearchForm::ReadCriteria() {
    const bool sizes = gbFileSize->isChecked();
    const int64_t minSize = std::llround(txtMinSize->value() * 1024.0);
    const int64_t maxSize = std::llround(txtMaxSize->value() * 1024.0);
    if (sizes && chkFileMinSize->isChecked() && chkFileMaxSize->isChecked() && maxSize < minSize) {
        FMessages.Error(this, tr(kSizeBoundsReversed));
        return false;
    }
    const bool hardDrives = cmbDirectory->currentText() == LocalHardDrivesEntry();
    lf->FileMasks = cmbFileName->currentData().toString();
    lf->Dirs = hardDrives ? FHardDrives : cmbDirectory->currentText();
    lf->SkippedFileSystems = hardDrives ? FOtherFileSystems : std::vector<uint64_t>{};
    lf->RecurseSubDirs = RecurseSubDirs->isChecked();

    TSearchCriteria criteria;
    criteria.minSize = sizes && chkFileMinSize->isChecked() ? minSize : 0;
    criteria.maxSize = sizes && chkFileMaxSize->isChecked() ? maxSize : 0;
    if (gbFileAttr->isChecked()) {
        uint32_t attributes = 0;
        for (auto [check, attribute] : {std::pair{chkFileReadOnlyAttr, host::kAttrReadOnly},
                                        std::pair{chkFileHiddenAttr, host::kAttrHidden},
                                        std::pair{chkFileSystemAttr, host::kAttrSystem},
                                        std::pair{chkFileArchiveAttr, host::kAttrArchive}}) {
            if (check->isChecked())
                attributes |= attribute;
        }
        criteria.attributes = attributes;
    }
    const QDateTime now = QDateTime::currentDateTime();
    const auto bound = [&](QCheckBox* check,
                           QSpinBox* days) -> std::optional<TSearchCriteria::TimePoint> {
        if (!gbFileTime->isChecked() || !check->isChecked())
            return std::nullopt;
        return ToTimePoint(now.addDays(-days->value()));
    };
    criteria.createdAfter = bound(chkFileCreatedTime, txtFileCreatedTime);
    criteria.accessedAfter = bound(chkFileLastAccessedTime, txtFileLastAccessedTime);
    criteria.modifiedAfter = bound(chkFileModifiedTime, txtFileModifiedTime);
    lf->Criteria = criteria;
    return true;
}

void TSearchForm::SetSearchButton(const char* caption, const char* style) {
    btnSearch->setText(tr(caption));
    btnSearch->setProperty("skinStyle", style);
    btnSearch->style()->unpolish(btnSearch);
    btnSearch->style()->polish(btnSearch);
}

void TSearchForm::ClearSearchResults() {
    fl->clear();
    labProgress->setText(tr(kFilesFound).arg(0));
    labDir->clear();
    labConsumedTime->setText(
        FormatElapsedTime(kElapsedDisplayPattern, std::chrono::milliseconds(0)));
}

void TSearchForm::lfFound(const TFoundFile& file) {
    auto* item = new QTreeWidgetItem(QStringList{
        file.FileName, file.Directory, QString::number(file.FileSize), TimeText(file.CreateDate),
        TimeText(file.LastAccess), TimeText(file.LastModified)});
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    fl->addTopLevelItem(item);
    labProgress->setText(tr(kFilesFound).arg(fl->topLevelItemCount()));
}

void TSearchForm::lfDirChange(const QString& name) {
    labDir->setText(tr(kSearchIn) + u' ' + name);
}

void TSearchForm::EndSearchMode() {
    SetSearchButton(kStartSearch, "startbutton");
    Timer->stop();
    labDir->clear();
    FInSearch = false;
    Gauge->setRange(0, 1);
    Gauge->setValue(0);
}

void TSearchForm::lfFinished() {
    EndSearchMode();
    FMessages.Information(this, tr(kSearchCompleted).arg(fl->topLevelItemCount()));
}

void TSearchForm::lfCancel() {
    EndSearchMode();
    if (FPromptOnCancel)
        FMessages.Information(this, tr(kSearchCancelled));
}

void TSearchForm::lfEnd() {
    EndSearchMode();
}

void TSearchForm::TimerTimer() {
    if (FInSearch)
        labConsumedTime->setText(FormatElapsedTime(
            kElapsedDisplayPattern,
            std::chrono::milliseconds(FStartTime.msecsTo(QDateTime::currentDateTime()))));
}

void TSearchForm::btnAddSelectedClick() {
    if (fl->selectedItems().isEmpty()) {
        FMessages.Error(this, tr(kNothingSelected));
        return;
    }
    Tag = 1;
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

void TSearchForm::btnSelectAllClick() {
    fl->selectAll();
    fl->setFocus();
}

void TSearchForm::btnUnselectAllClick() {
    fl->clearSelection();
}

void TSearchForm::btnCloseClick() {
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

void TSearchForm::btnHelpClick() {
    OpenHelpFile();
}

// A search running when the window is asked to close is ended first, if
// the user agrees; it then reports no cancellation.
bool TSearchForm::ConfirmCloseDuringSearch() {
    if (!FInSearch)
        return true;
    if (FMessages.Confirm(this, tr(kCancelAndClose)) != MessageService::Answer::Yes)
        return false;
    FPromptOnCancel = false;
    lf->CancelAndWait();
    return true;
}

void TSearchForm::closeEvent(QCloseEvent* event) {
    if (!ConfirmCloseDuringSearch()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

// Escape and the window's own close come here too.
void TSearchForm::reject() {
    if (ConfirmCloseDuringSearch())
        QDialog::reject();
}

void TSearchForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OpenHelpFile();
        return;
    }
    QDialog::keyPressEvent(event);
}
