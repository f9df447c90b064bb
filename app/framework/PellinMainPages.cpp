// The main window's areas and pages, built once by the constructor.
#include "DragEdit.h"
#include "PellinConsts.h"
#include "PellinMain.h"
#include "PellinPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace pellin_text;

namespace {

constexpr int kPageButtonWidth = 116;

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QPushButton* PageButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
    auto* button = Named(new QPushButton(QObject::tr(caption), parent), name);
    button->setCheckable(true);
    button->setFixedWidth(kPageButtonWidth);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setToolTip(QObject::tr(hint));
    return button;
}

// A progress panel: "0% completed", the consumed time and a gauge.
TPellinPanel* ProgressPanel(QWidget* parent, const char* name, QLabel*& progress, QLabel*& consumed,
                            QProgressBar*& gauge, const char* progressName,
                            const char* consumedName, const char* gaugeName) {
    auto* panel = Named(new TPellinPanel(parent), name);
    progress = Named(new QLabel(panel), progressName);
    auto* prompt = new QLabel(QObject::tr(kConsumedTimePrompt), panel);
    if (QString(name) == "palProgress")
        prompt->setObjectName("labConsumedTimePrompt");
    consumed = Named(new QLabel(panel), consumedName);
    gauge = Named(new QProgressBar(panel), gaugeName);
    gauge->setRange(0, 100);
    gauge->setValue(0);
    gauge->setTextVisible(false);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->addWidget(progress, 0, 0);
    auto* time = new QHBoxLayout;
    time->addStretch();
    time->addWidget(prompt);
    time->addWidget(consumed);
    grid->addLayout(time, 0, 2);
    grid->setColumnStretch(1, 1);
    grid->addWidget(gauge, 1, 0, 1, 3);
    return panel;
}

} // namespace

void TPellinMainForm::BuildHeader() {
    palHeader = Named(new TPellinPanel(this), "palHeader");
    palHeader->setFixedHeight(64);
    auto* banner = Named(new QLabel(palHeader), "imgBanner");
    banner->setText(QString("<b style='font-size:20pt'>%1</b>").arg(kAppTitle));
    palRightHeader = Named(new QWidget(palHeader), "palRightHeader");
    btnFacebookLikeImage = Named(new QPushButton(palRightHeader), "btnFacebookLikeImage");
    btnFacebookLikeImage->setFlat(true);
    btnFacebookLikeImage->setIcon(style()->standardIcon(QStyle::SP_DialogYesButton));
    btnFacebookLikeImage->setFixedSize(24, 20);
    btnFacebookLikeImage->setFocusPolicy(Qt::NoFocus);

    btnRepairTab = PageButton(palRightHeader, "btnRepairTab", kCloneTab, kHintCloneTab);
    btnBatchRepairTab =
        PageButton(palRightHeader, "btnBatchRepairTab", kBatchCloneTab, kHintBatchTab);
    btnOptionsTab = PageButton(palRightHeader, "btnOptionsTab", kOptionsTab, kHintOptionsTab);
    btnAboutTab = PageButton(palRightHeader, "btnAboutTab", kAboutTab, kHintAboutTab);
    FPageButtons = new QButtonGroup(this);
    FPageButtons->setExclusive(true);
    FPageButtons->addButton(btnRepairTab, kClonePage);
    FPageButtons->addButton(btnBatchRepairTab, kBatchPage);
    FPageButtons->addButton(btnOptionsTab, kOptionsPage);
    FPageButtons->addButton(btnAboutTab, kAboutPage);
    connect(FPageButtons, &QButtonGroup::idClicked, this, &TPellinMainForm::MainTabChange);

    FPageButtonRow = new QHBoxLayout;
    FPageButtonRow->setSpacing(2);
    for (QPushButton* b : {btnRepairTab, btnBatchRepairTab, btnOptionsTab, btnAboutTab})
        FPageButtonRow->addWidget(b);
    auto* right = new QVBoxLayout(palRightHeader);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(btnFacebookLikeImage, 0, Qt::AlignRight);
    right->addLayout(FPageButtonRow);
    auto* header = new QHBoxLayout(palHeader);
    header->setContentsMargins(10, 4, 10, 4);
    header->addWidget(banner);
    header->addStretch();
    header->addWidget(palRightHeader, 0, Qt::AlignBottom);
}

void TPellinMainForm::BuildClonePage() {
    palRepairTab = Named(new QWidget(PageArea()), "palRepairTab");
    labSelSrcFile = Named(new QLabel(tr(kSelSrcFile), palRepairTab), "labSelSrcFile");
    txtSrcFile = Named(new TDragEdit(palRepairTab), "txtSrcFile");
    txtSrcFile->hide(); // the product's drive selector stands in for it
    labSelDstFile = Named(new QLabel(tr(kSelDstFile), palRepairTab), "labSelDstFile");
    txtDstFile = Named(new QLineEdit(palRepairTab), "txtDstFile");
    txtDstFile->setToolTip(tr(kHintDstFile));
    btnDstMore = Named(new QPushButton("...", palRepairTab), "btnDstMore");
    btnDstMore->setToolTip(tr(kHintDstMore));
    btnDstMore->setFixedWidth(32);
    labSelSrcFile->setBuddy(txtSrcFile);
    labSelDstFile->setBuddy(txtDstFile);
    btnRepair = Named(new QPushButton(tr(kStartCloning), palRepairTab), "btnRepair");
    btnRepair->setMinimumWidth(130);
    labRepairLogPrompt =
        Named(new QLabel(tr(kRepairLogPrompt), palRepairTab), "labRepairLogPrompt");
    txtRepairLog = Named(new QPlainTextEdit(palRepairTab), "txtRepairLog");
    txtRepairLog->setReadOnly(true);
    txtRepairLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtRepairLog->verticalScrollBar()->setObjectName("vsbRepairLog");
    btnSaveLog = Named(new QPushButton(tr(kSaveLog), palRepairTab), "btnSaveLog");
    palProgress = ProgressPanel(palRepairTab, "palProgress", labProgress, labConsumedTime, Gauge,
                                "labProgress", "labConsumedTime", "Gauge");
    FProgressGrid = qobject_cast<QGridLayout*>(palProgress->layout());

    FSourceRow = new QHBoxLayout;
    FSourceRow->addWidget(txtSrcFile);
    FNoteRow = new QHBoxLayout;
    auto* grid = FRepairGrid = new QGridLayout(palRepairTab);
    grid->setContentsMargins(10, 8, 10, 4);
    grid->addWidget(labSelSrcFile, 0, 0);
    grid->addLayout(FSourceRow, 0, 1, 1, 2);
    grid->addWidget(labSelDstFile, 1, 0);
    grid->addWidget(txtDstFile, 1, 1);
    grid->addWidget(btnDstMore, 1, 2);
    grid->addLayout(FNoteRow, 2, 1, 1, 2);
    grid->addWidget(btnRepair, 0, 3, 2, 1);
    grid->addWidget(labRepairLogPrompt, kRepairLogRow - 1, 0, 1, kRepairColumns);
    PlaceLogArea(grid, kRepairLogRow, kRepairColumns);
    grid->setColumnStretch(1, 1);

    connect(btnRepair, &QPushButton::clicked, this, [this] { btnRepairClick(); });
    connect(btnDstMore, &QPushButton::clicked, this, &TPellinMainForm::btnDstMoreClick);
    connect(btnSaveLog, &QPushButton::clicked, this, &TPellinMainForm::btnSaveLogClick);
}

void TPellinMainForm::BuildBatchPage() {
    palBatchRepairTab = Named(new QWidget(PageArea()), "palBatchRepairTab");
    auto* prompt = new QLabel(tr(kBatchListPrompt), palBatchRepairTab);
    auto* listPanel = Named(new TPellinPanel(palBatchRepairTab), "palSrcFileList");
    listPanel->setFrameShape(QFrame::StyledPanel);
    FileList = Named(new QTreeWidget(listPanel), "FileList");
    FileList->setRootIsDecorated(false);
    FileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FileList->setSelectionBehavior(QAbstractItemView::SelectRows);
    FileList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FileList->setHeaderLabels({tr(kColumnSource), tr(kColumnOutput), tr(kColumnStatus)});
    FileList->setColumnWidth(0, 330);
    FileList->setColumnWidth(1, 330);
    FileList->setColumnWidth(2, 98);
    prompt->setBuddy(FileList);
    auto* listLayout = new QVBoxLayout(listPanel);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(FileList);

    btnRepairFiles = Named(new QPushButton(tr(kStartCloning), palBatchRepairTab), "btnRepairFiles");
    btnAddFiles = Named(new QPushButton(tr(kAddFiles), palBatchRepairTab), "btnAddFiles");
    btnAddFiles->setToolTip(tr(kHintAddFiles));
    btnRemoveFiles = Named(new QPushButton(tr(kRemoveFiles), palBatchRepairTab), "btnRemoveFiles");
    btnRemoveFiles->setToolTip(tr(kHintRemoveFiles));
    btnRemoveAll = Named(new QPushButton(tr(kRemoveAll), palBatchRepairTab), "btnRemoveAll");
    btnRemoveAll->setToolTip(tr(kHintRemoveAll));
    btnSaveBatchLog = Named(new QPushButton(tr(kSaveLog), palBatchRepairTab), "btnSaveBatchLog");
    connect(btnSaveBatchLog, &QPushButton::clicked, this, &TPellinMainForm::btnSaveLogClick);
    palBatchProgress =
        ProgressPanel(palBatchRepairTab, "palBatchProgress", labBatchProgress, labBatchConsumedTime,
                      BatchGauge, "labBatchProgress", "labBatchConsumedTime", "BatchGauge");

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {btnRepairFiles, btnAddFiles, btnRemoveFiles, btnRemoveAll})
        side->addWidget(b);
    side->addStretch();
    side->addWidget(btnSaveBatchLog);
    auto* grid = new QGridLayout(palBatchRepairTab);
    grid->addWidget(prompt, 0, 0);
    grid->addWidget(listPanel, 1, 0);
    grid->addLayout(side, 1, 1);
    grid->addWidget(palBatchProgress, 2, 0);
    grid->setRowStretch(1, 1);
}

void TPellinMainForm::BuildOptionsPage() {
    palOptionsTab = Named(new QWidget(PageArea()), "palOptionsTab");
    btnOptionsSubTab =
        Named(new QPushButton(tr(kOptionsSubTab), palOptionsTab), "btnOptionsSubTab");
    btnAdvOptionsSubTab =
        Named(new QPushButton(tr(kAdvOptionsSubTab), palOptionsTab), "btnAdvOptionsSubTab");
    FSubPageButtons = new QButtonGroup(this);
    for (auto [button, index] :
         {std::pair{btnOptionsSubTab, 1}, std::pair{btnAdvOptionsSubTab, 2}}) {
        button->setCheckable(true);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setFixedWidth(kPageButtonWidth + 20);
        FSubPageButtons->addButton(button, index);
    }
    connect(FSubPageButtons, &QButtonGroup::idClicked, this, &TPellinMainForm::SubTabChange);

    palOptionsSubTab = Named(new QWidget(palOptionsTab), "palOptionsSubTab");
    FOptionsGrid = new QGridLayout(palOptionsSubTab);
    FOptionsGrid->setColumnStretch(2, 1);
    FOptionsGrid->setRowStretch(100, 1);
    palAdvOptionsSubTab = Named(new QWidget(palOptionsTab), "palAdvOptionsSubTab");
    auto* tempLabel = Named(new QLabel(tr(kTempDirCaption), palAdvOptionsSubTab), "labTempDir");
    txtTempDir = Named(new QLineEdit(palAdvOptionsSubTab), "txtTempDir");
    btnMoreDir = Named(new QPushButton("...", palAdvOptionsSubTab), "btnMoreDir");
    btnMoreDir->setFixedWidth(32);
    auto* bufLabel = Named(new QLabel(tr(kBufSizeLabel), palAdvOptionsSubTab), "labBufSize");
    txtBufSize = Named(new QSpinBox(palAdvOptionsSubTab), "txtBufSize");
    txtBufSize->setRange(1, 65536);
    txtBufSize->setSingleStep(1);
    chkAutoUpdate = Named(new QCheckBox(tr(kAutoUpdate), palAdvOptionsSubTab), "chkAutoUpdate");
    tempLabel->setBuddy(txtTempDir);
    bufLabel->setBuddy(txtBufSize);
    auto* adv = new QGridLayout(palAdvOptionsSubTab);
    adv->addWidget(tempLabel, 0, 0);
    adv->addWidget(txtTempDir, 0, 1);
    adv->addWidget(btnMoreDir, 0, 2);
    adv->addWidget(bufLabel, 1, 0);
    auto* buf = new QHBoxLayout;
    buf->addWidget(txtBufSize);
    buf->addWidget(new QLabel(tr(kBytes), palAdvOptionsSubTab));
    buf->addStretch();
    adv->addLayout(buf, 1, 1);
    adv->addWidget(chkAutoUpdate, 2, 0, 1, 3);
    adv->setRowStretch(3, 1);
    adv->setColumnStretch(1, 1);

    auto* tabs = new QHBoxLayout;
    tabs->addWidget(btnOptionsSubTab);
    tabs->addWidget(btnAdvOptionsSubTab);
    tabs->addStretch();
    auto* page = new QVBoxLayout(palOptionsTab);
    page->addLayout(tabs);
    page->addWidget(palOptionsSubTab, 1);
    page->addWidget(palAdvOptionsSubTab, 1);
}

void TPellinMainForm::BuildAboutPage() {
    palAboutTab = Named(new QWidget(PageArea()), "palAboutTab");
    labTitle = Named(new QLabel(palAboutTab), "labTitle");
    labTitle->setStyleSheet("font-size: 16pt; font-weight: bold;");
    labVersion = Named(new QLabel(palAboutTab), "labVersion");
    auto* icon = Named(new QLabel(palAboutTab), "imgIcon");
    icon->setPixmap(style()->standardIcon(QStyle::SP_DriveHDIcon).pixmap(48, 48).scaled(48, 48));
    labCopyright = Named(new QLabel(tr(kCopyright), palAboutTab), "labCopyright");
    auto link = [this](const char* name, const QString& text) {
        auto* label = Named(
            new QLabel(QString("<a href=\"%1\">%1</a>").arg(text.toHtmlEscaped()), palAboutTab),
            name);
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        label->setCursor(Qt::PointingHandCursor);
        return label;
    };
    labHomepage = link("labHomepage", kHomepageUrl);
    labSupportCenter = link("labSupportCenter", kSupportCenterUrl);
    labEmail = link("labEmail", kSupportEmail);
    imgLogo = Named(new QPushButton(palAboutTab), "imgLogo");
    imgLogo->setFlat(true);
    imgLogo->setIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
    imgLogo->setIconSize(QSize(48, 48));
    imgLogo->setCursor(Qt::PointingHandCursor);
    auto* legal = Named(new QLabel(tr(kLegalWarning), palAboutTab), "labLegalWarning");
    legal->setWordWrap(true);

    auto* links = new QGridLayout;
    links->setHorizontalSpacing(10); // each link 10 pixels right of its prompt
    links->addWidget(new QLabel(tr(kHomepagePrompt), palAboutTab), 0, 0);
    links->addWidget(labHomepage, 0, 1);
    auto* support = new QHBoxLayout;
    support->setSpacing(10);
    support->addWidget(labSupportCenter);
    support->addSpacing(12); // the e-mail prompt 22 pixels right of the link
    support->addWidget(new QLabel(tr(kEmailPrompt), palAboutTab));
    support->addWidget(labEmail);
    support->addStretch();
    links->addWidget(new QLabel(tr(kSupportCenterPrompt), palAboutTab), 1, 0);
    links->addLayout(support, 1, 1);
    links->setColumnStretch(1, 1);

    auto* version = new QHBoxLayout;
    version->setSpacing(6);
    version->addWidget(new QLabel(tr(kVersionPrompt), palAboutTab));
    version->addWidget(labVersion);
    version->addStretch();
    auto* text = new QVBoxLayout;
    text->setSpacing(10);
    text->addWidget(labTitle);
    text->addLayout(version);
    text->addWidget(labCopyright);
    text->addSpacing(10);
    text->addLayout(links);
    auto* top = new QHBoxLayout;
    top->setSpacing(24);
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* page = new QVBoxLayout(palAboutTab);
    page->setContentsMargins(40, 24, 40, 20);
    page->addLayout(top);
    page->addSpacing(20);
    page->addWidget(imgLogo, 0, Qt::AlignLeft);
    page->addStretch();
    page->addWidget(legal);
}

void TPellinMainForm::BuildFooter() {
    palLeftFooter = Named(new QWidget(this), "palLeftFooter");
    btnHelp = Named(new QPushButton(tr(kHelp), palLeftFooter), "btnHelp");
    btnFacebookLike = Named(new QPushButton(tr(kLikeUs), palLeftFooter), "btnFacebookLike");
    btnFeedback = Named(new QPushButton(tr(kFeedback), palLeftFooter), "btnFeedback");
    auto* footer = new QHBoxLayout(palLeftFooter);
    footer->setContentsMargins(10, 0, 0, 6);
    footer->addWidget(btnHelp);
    footer->addWidget(btnFacebookLike);
    footer->addWidget(btnFeedback);
    footer->addStretch();
    connect(btnHelp, &QPushButton::clicked, this, &TPellinMainForm::btnHelpClick);
}

void TPellinMainForm::AddSourceSelector(QWidget* selector, QWidget* refresh) {
    FSourceRow->addWidget(selector, 1);
    FSourceRow->addWidget(refresh);
}

void TPellinMainForm::AddOutputNote(QWidget* note) {
    FNoteRow->addWidget(note);
}

void TPellinMainForm::AddProgressInfo(QWidget* info) {
    FProgressGrid->addWidget(info, 0, 1);
}

void TPellinMainForm::AddOption(QWidget* label, QWidget* control) {
    FOptionsGrid->addWidget(label, FOptionRows, 0);
    FOptionsGrid->addWidget(control, FOptionRows, 1);
    ++FOptionRows;
}

void TPellinMainForm::AddPageButton(QPushButton* button, int index, int position) {
    button->setParent(palRightHeader);
    button->setCheckable(true);
    button->setFixedWidth(kPageButtonWidth);
    button->setFocusPolicy(Qt::StrongFocus);
    FPageButtons->addButton(button, index);
    FPageButtonRow->insertWidget(position, button);
}

void TPellinMainForm::PlaceLogArea(QGridLayout* grid, int row, int columns) {
    grid->addWidget(txtRepairLog, row, 0, 1, columns);
    grid->addWidget(palProgress, row + 1, 0, 1, columns);
    grid->addWidget(btnSaveLog, row + 2, columns - 1, Qt::AlignRight);
    grid->setRowStretch(row, 1);
    // A widget that changes its parent is hidden until shown again.
    txtRepairLog->show();
    btnSaveLog->show();
}
