// The search window's controls and their layout.
#include "SearchFrm.h"

#include "FileSearch.h"
#include "PellinPanel.h"
#include "SearchConsts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace search_text;

namespace {

constexpr int kCriteriaHeight = 100;
constexpr int kButtonsHeight = 44;
constexpr int kButtonWidth = 105;
constexpr int kButtonHeight = 28;
constexpr int kMaxSizeKB = 1073741824;
constexpr int kMaxDays = 999;

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QSpinBox* SpinEdit(const char* name, int maximum, QWidget* parent) {
    auto* spin = Named(new QSpinBox(parent), name);
    spin->setRange(0, maximum);
    spin->setSingleStep(1);
    return spin;
}

QGroupBox* CheckableGroup(const char* name, const char* title, QWidget* parent) {
    auto* group = Named(new QGroupBox(QObject::tr(title), parent), name);
    group->setCheckable(true);
    group->setChecked(false);
    return group;
}

} // namespace

void TSearchForm::BuildControls() {
    palHeader = Named(new TPellinPanel(this), "palHeader");
    auto* icon = Named(new QLabel(palHeader), "imgHeader");
    icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(32, 32));
    labBanner = Named(new QLabel(palHeader), "labBanner");
    QFont bannerFont = labBanner->font();
    bannerFont.setBold(true);
    labBanner->setFont(bannerFont);
    auto* header = new QHBoxLayout(palHeader);
    header->addWidget(icon);
    header->addWidget(labBanner, 1);

    labResults = Named(new QLabel(tr(kResultsPrompt), this), "labResults");
    fl = Named(new QTreeWidget(this), "fl");
    fl->setRootIsDecorated(false);
    fl->setUniformRowHeights(true);
    fl->setAllColumnsShowFocus(true);
    fl->setSelectionBehavior(QAbstractItemView::SelectRows);
    fl->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fl->setHeaderLabels({tr(kColumnName), tr(kColumnDirectory), tr(kColumnSize), tr(kColumnCreated),
                         tr(kColumnLastAccessed), tr(kColumnLastModified)});
    fl->header()->setStretchLastSection(false);
    const int widths[] = {129, 200, 65, 112, 112, 112};
    for (int column = 0; column < 6; ++column)
        fl->setColumnWidth(column, widths[column]);
    fl->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    labResults->setBuddy(fl);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(4);
    window->addWidget(palHeader);
    window->addWidget(BuildCriteria());
    window->addWidget(BuildAdvOptions());
    window->addWidget(BuildProgress());
    auto* results = new QVBoxLayout;
    results->setContentsMargins(8, 0, 8, 0);
    results->addWidget(labResults);
    results->addWidget(fl, 1);
    window->addLayout(results, 1);
    window->addWidget(BuildButtons());

    Timer = Named(new QTimer(this), "Timer");
    Timer->setInterval(60000);
    lf = Named(new TFileSearch(this), "lf");
}

// Placed by pixel, as the lines of the criteria area line up with each other.
QWidget* TSearchForm::BuildCriteria() {
    auto* area = Named(new QWidget(this), "palCriteria");
    area->setFixedHeight(kCriteriaHeight);
    labFileName = Named(new QLabel(tr(kFileNamePrompt), area), "labFileName");
    cmbFileName = Named(new QComboBox(area), "cmbFileName");
    cmbFileName->setEditable(false);
    labFileName->setBuddy(cmbFileName);
    labDirectory = Named(new QLabel(tr(kDirectoryPrompt), area), "labDirectory");
    cmbDirectory = Named(new QComboBox(area), "cmbDirectory");
    cmbDirectory->setEditable(true);
    cmbDirectory->setInsertPolicy(QComboBox::NoInsert);
    labDirectory->setBuddy(cmbDirectory);
    btnSelectDir = Named(new QPushButton(tr(kSelectDir), area), "btnSelectDir");
    RecurseSubDirs = Named(new QCheckBox(tr(kRecurseSubDirs), area), "RecurseSubDirs");
    RecurseSubDirs->setChecked(true);
    btnSearch = Named(new QPushButton(tr(kStartSearch), area), "btnSearch");
    btnSearch->setDefault(true);
    labAdvOptions = Named(new QLabel(tr(kAdvOptionsPrompt), area), "labAdvOptions");
    btnAdvOptions = Named(new QPushButton(tr(kExpand), area), "btnAdvOptions");
    labAdvOptions->setBuddy(btnAdvOptions);

    labFileName->move(12, 14);
    labDirectory->move(12, 44);
    labFileName->adjustSize();
    labDirectory->adjustSize();
    btnSelectDir->setGeometry(472, 40, 25, 24);
    RecurseSubDirs->adjustSize();
    btnSearch->setGeometry(520, 10, 120, 28);
    labAdvOptions->adjustSize();
    labAdvOptions->move(520, 72);
    btnAdvOptions->setFixedSize(24, 22);
    return area;
}

QWidget* TSearchForm::BuildAdvOptions() {
    palAdvOptions = Named(new QWidget(this), "palAdvOptions");

    gbFileSize = CheckableGroup("gbFileSize", kFileSize, palAdvOptions);
    chkFileMinSize = Named(new QCheckBox(tr(kMinSize), gbFileSize), "chkFileMinSize");
    txtMinSize = SpinEdit("txtMinSize", kMaxSizeKB, gbFileSize);
    chkFileMaxSize = Named(new QCheckBox(tr(kMaxSize), gbFileSize), "chkFileMaxSize");
    txtMaxSize = SpinEdit("txtMaxSize", kMaxSizeKB, gbFileSize);
    auto* size = new QGridLayout(gbFileSize);
    size->addWidget(chkFileMinSize, 0, 0);
    size->addWidget(txtMinSize, 0, 1);
    size->addWidget(new QLabel(tr(kKB), gbFileSize), 0, 2);
    size->addWidget(chkFileMaxSize, 1, 0);
    size->addWidget(txtMaxSize, 1, 1);
    size->addWidget(new QLabel(tr(kKB), gbFileSize), 1, 2);

    gbFileAttr = CheckableGroup("gbFileAttr", kFileAttr, palAdvOptions);
    chkFileReadOnlyAttr = Named(new QCheckBox(tr(kReadOnly), gbFileAttr), "chkFileReadOnlyAttr");
    chkFileHiddenAttr = Named(new QCheckBox(tr(kHidden), gbFileAttr), "chkFileHiddenAttr");
    chkFileSystemAttr = Named(new QCheckBox(tr(kSystem), gbFileAttr), "chkFileSystemAttr");
    chkFileArchiveAttr = Named(new QCheckBox(tr(kArchive), gbFileAttr), "chkFileArchiveAttr");
    auto* attributes = new QGridLayout(gbFileAttr);
    attributes->addWidget(chkFileReadOnlyAttr, 0, 0);
    attributes->addWidget(chkFileHiddenAttr, 0, 1);
    attributes->addWidget(chkFileSystemAttr, 1, 0);
    attributes->addWidget(chkFileArchiveAttr, 1, 1);

    gbFileTime = CheckableGroup("gbFileTime", kFileTime, palAdvOptions);
    chkFileCreatedTime = Named(new QCheckBox(tr(kCreatedIn), gbFileTime), "chkFileCreatedTime");
    txtFileCreatedTime = SpinEdit("txtFileCreatedTime", kMaxDays, gbFileTime);
    chkFileLastAccessedTime =
        Named(new QCheckBox(tr(kLastAccessedIn), gbFileTime), "chkFileLastAccessedTime");
    txtFileLastAccessedTime = SpinEdit("txtFileLastAccessedTime", kMaxDays, gbFileTime);
    chkFileModifiedTime = Named(new QCheckBox(tr(kModifiedIn), gbFileTime), "chkFileModifiedTime");
    txtFileModifiedTime = SpinEdit("txtFileModifiedTime", kMaxDays, gbFileTime);
    auto* time = new QGridLayout(gbFileTime);
    int row = 0;
    for (auto [check, spin] : {std::pair{chkFileCreatedTime, txtFileCreatedTime},
                               std::pair{chkFileLastAccessedTime, txtFileLastAccessedTime},
                               std::pair{chkFileModifiedTime, txtFileModifiedTime}}) {
        time->addWidget(check, row, 0);
        time->addWidget(spin, row, 1);
        time->addWidget(new QLabel(tr(kDays), gbFileTime), row, 2);
        ++row;
    }

    auto* groups = new QHBoxLayout(palAdvOptions);
    groups->setContentsMargins(8, 0, 8, 0);
    groups->addWidget(gbFileSize);
    groups->addWidget(gbFileAttr);
    groups->addWidget(gbFileTime);
    return palAdvOptions;
}

QWidget* TSearchForm::BuildProgress() {
    palProgress = Named(new TPellinPanel(this), "palProgress");
    labProgress = Named(new QLabel(palProgress), "labProgress");
    Gauge = Named(new QProgressBar(palProgress), "Gauge");
    Gauge->setTextVisible(false);
    Gauge->setRange(0, 1);
    Gauge->setValue(0);
    labDir = Named(new QLabel(palProgress), "labDir");
    labDir->setTextFormat(Qt::PlainText);
    labDir->setMinimumWidth(1); // long folder names must not widen the window
    auto* consumedPrompt =
        Named(new QLabel(tr(kConsumedTimePrompt), palProgress), "labConsumedTimePrompt");
    labConsumedTime = Named(new QLabel(palProgress), "labConsumedTime");
    auto* grid = new QGridLayout(palProgress);
    grid->setContentsMargins(8, 2, 8, 2);
    grid->addWidget(labProgress, 0, 0);
    grid->addWidget(Gauge, 0, 1, 1, 3);
    grid->addWidget(labDir, 1, 0, 1, 2);
    grid->addWidget(consumedPrompt, 1, 2, Qt::AlignRight);
    grid->addWidget(labConsumedTime, 1, 3);
    grid->setColumnStretch(1, 1);
    return palProgress;
}

// Placed by pixel: Add Selected takes the place of Unselect All when only
// one file is wanted.
QWidget* TSearchForm::BuildButtons() {
    palButtons = Named(new QWidget(this), "palButtons");
    palButtons->setFixedHeight(kButtonsHeight);
    btnHelp = Named(new QPushButton(tr(kHelp), palButtons), "btnHelp");
    btnAddSelected = Named(new QPushButton(tr(kAddSelected), palButtons), "btnAddSelected");
    btnSelectAll = Named(new QPushButton(tr(kSelectAll), palButtons), "btnSelectAll");
    btnUnselectAll = Named(new QPushButton(tr(kUnselectAll), palButtons), "btnUnselectAll");
    btnClose = Named(new QPushButton(tr(kClose), palButtons), "btnClose");
    for (QPushButton* button : {btnHelp, btnAddSelected, btnSelectAll, btnUnselectAll, btnClose}) {
        button->resize(kButtonWidth, kButtonHeight);
        button->setAutoDefault(false);
    }
    return palButtons;
}

void TSearchForm::SetHints() {
    const std::pair<QWidget*, const char*> hints[] = {
        {cmbDirectory, kHintDirectory},
        {btnSelectDir, kHintSelectDir},
        {btnAdvOptions, kHintAdvOptions},
        {gbFileSize, kHintFileSize},
        {chkFileMinSize, kHintMinSize},
        {chkFileMaxSize, kHintMaxSize},
        {gbFileAttr, kHintFileAttr},
        {chkFileReadOnlyAttr, kHintReadOnly},
        {chkFileHiddenAttr, kHintHidden},
        {chkFileSystemAttr, kHintSystem},
        {chkFileArchiveAttr, kHintArchive},
        {gbFileTime, kHintFileTime},
        {chkFileCreatedTime, kHintCreatedTime},
        {chkFileLastAccessedTime, kHintLastAccessedTime},
        {chkFileModifiedTime, kHintModifiedTime},
        {btnAddSelected, kHintAddSelected},
        {btnSelectAll, kHintSelectAll},
        {btnUnselectAll, kHintUnselectAll},
        {btnClose, kHintClose},
    };
    for (const auto& [control, hint] : hints)
        control->setToolTip(tr(hint));
}
