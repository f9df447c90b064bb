// Set-up, pages, links and help of the framework's main window.
#include "PellinMain.h"

#include "CheckUpdateFrm.h"
#include "DragEdit.h"
#include "ElapsedTime.h"
#include "FileDialogFilter.h"
#include "MessageService.h"
#include "PellinConsts.h"
#include "PellinPanel.h"
#include "PellinSetting.h"
#include "ShellOpen.h"
#include "TrackingCode.h"
#include "VersionInfo.h"
#include "logdlg.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

using namespace pellin_text;

namespace {

constexpr int kWindowWidth = 955;
constexpr int kWindowHeight = 545;
// The private message a window posts itself on its first show (3024).
const QEvent::Type kAutoUpdateEvent = static_cast<QEvent::Type>(QEvent::User + 2024);

} // namespace

TPellinMainForm::TPellinMainForm(MessageService& messages, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      FMessages(messages) {
    setObjectName("MainForm");
    FPageArea = new QWidget(this);
    FPageArea->setObjectName("palClient");
    BuildHeader();
    BuildClonePage();
    BuildBatchPage();
    BuildOptionsPage();
    BuildAboutPage();
    BuildFooter();

    FPageLayout = new QVBoxLayout(FPageArea);
    FPageLayout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* page : {palRepairTab, palBatchRepairTab, palOptionsTab, palAboutTab})
        FPageLayout->addWidget(page);
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addWidget(palHeader);
    window->addWidget(FPageArea, 1);
    window->addWidget(palLeftFooter, 0, Qt::AlignLeft);

    Timer = new QTimer(this);
    Timer->setObjectName("Timer");
    Timer->setInterval(60000);
    connect(Timer, &QTimer::timeout, this, &TPellinMainForm::TimerTimer);
    BatchTimer = new QTimer(this);
    BatchTimer->setObjectName("BatchTimer");
    BatchTimer->setInterval(60000);

    SaveDialog = new QFileDialog(this);
    SaveDialog->setObjectName("SaveDialog");
    SaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog->setOption(QFileDialog::DontUseNativeDialog, true);
    connect(SaveDialog, &QFileDialog::filterSelected, this, &TPellinMainForm::SaveDialogTypeChange);
    SaveLogDialog = new TSaveLogDialog(this);
    SaveLogDialog->setObjectName("SaveLogDialog");
    ConnectLinks();
    ConnectBatchPage();
}

TPellinMainForm::~TPellinMainForm() = default;

void TPellinMainForm::FormCreate() {
    QApplication::setApplicationName(kAppTitle);
    setWindowTitle(kAppTitle);
    // The object the worker's engine messages are delivered to.
    FHFormWnd = new QObject(this);
    FHFormWnd->setObjectName("HFormWnd");
    setFixedSize(kWindowWidth, kWindowHeight);
    CentreOnScreen();
    // The start buttons' two looks.
    setStyleSheet("QPushButton[skinStyle=\"stopbutton\"] { color: #b00000; font-weight: bold; }");
    SaveDialog->setNameFilters(GetFilterNames(tr(kSaveFilter)));
    AlignSourceAndOutputFields();
    txtSrcFile->DragAccept(true);
    connect(txtSrcFile, &TDragEdit::OnDropFile, txtSrcFile,
            [this](QObject*, const QString& file) { txtSrcFile->setText(file); });
    SetButtonStyle(btnRepair, "startbutton");
    SetButtonStyle(btnRepairFiles, "startbutton");
    labProgress->setText(tr(kProgress).arg(0));
    labBatchProgress->setText(tr(kProgress).arg(0));
    labConsumedTime->setText(
        FormatElapsedTime(kElapsedDisplayPattern, std::chrono::milliseconds(0)));
    labBatchConsumedTime->setText(
        FormatElapsedTime(kElapsedDisplayPattern, std::chrono::milliseconds(0)));
    labTitle->setText(kAppTitle);
    labVersion->setText(
        GetVersionText(QCoreApplication::applicationFilePath(), TVersionKind::FullFileVersion));
    Timer->stop();
    FInRepair = FIsStopping = FInBatchRepair = FIsBatchStopping = false;
    FActiveMainTabIndex = kClonePage;
    FActiveSubTabIndex = 1;
    btnOptionsSubTab->setChecked(true);
    MainTabChange(kClonePage);
    ConnectSessionEnd();
    InitForm();
}

void TPellinMainForm::FormDestroy() {
    qApp->removeEventFilter(this);
    delete FHFormWnd;
    FHFormWnd = nullptr;
    DoneForm();
}

// Before the first show the frame is not known yet: the window is centred
// again once it is.
void TPellinMainForm::CentreOnScreen() {
    const QScreen* where = screen();
    if (!where)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(where->availableGeometry().center());
    move(frame.topLeft());
}

// The source and output fields start 7 pixels right of the wider label.
void TPellinMainForm::AlignSourceAndOutputFields() {
    const int width =
        std::max(labSelSrcFile->sizeHint().width(), labSelDstFile->sizeHint().width());
    labSelSrcFile->setMinimumWidth(width + 7);
    labSelDstFile->setMinimumWidth(width + 7);
}

void TPellinMainForm::SetButtonStyle(QPushButton* button, const char* style) {
    button->setProperty("skinStyle", style);
    button->style()->unpolish(button);
    button->style()->polish(button);
}

void TPellinMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!FShown) {
        FShown = true;
        FormShow();
    }
}

void TPellinMainForm::FormShow() {
    CentreOnScreen();
    btnRepairTab->setFocus();
    MainTabChange(kClonePage);
    QCoreApplication::postEvent(this, new QEvent(kAutoUpdateEvent));
}

void TPellinMainForm::customEvent(QEvent* event) {
    if (event->type() == kAutoUpdateEvent && chkAutoUpdate->isChecked())
        RunAutoUpdate();
    QWidget::customEvent(event);
}

void TPellinMainForm::RunAutoUpdate() {
    TCheckUpdateForm form(this, FMessages);
    FMessages.ShowModal(&form);
}

void TPellinMainForm::MainTabChange(int index) {
    FActiveMainTabIndex = index;
    for (QWidget* w : {palRepairTab, palBatchRepairTab, palOptionsTab, palAboutTab,
                       palOptionsSubTab, palAdvOptionsSubTab})
        w->hide();
    for (QWidget* w : {static_cast<QWidget*>(btnHelp), static_cast<QWidget*>(btnFacebookLike),
                       static_cast<QWidget*>(btnFeedback)})
        w->hide();
    if (index == kClonePage || index == kBatchPage) {
        FPageButtons->button(index)->setChecked(true);
        (index == kClonePage ? palRepairTab : palBatchRepairTab)->show();
        btnHelp->show();
        btnFacebookLike->show();
        btnFeedback->show();
        palLeftFooter->show();
    } else if (index == kOptionsPage) {
        btnOptionsTab->setChecked(true);
        palOptionsTab->show();
        SubTabChange(btnAdvOptionsSubTab->isChecked() ? 2 : 1);
        btnHelp->show();
        palLeftFooter->show();
    } else if (index == kAboutPage) {
        btnAboutTab->setChecked(true);
        palAboutTab->show();
        palLeftFooter->hide();
    }
    MainTabChanged(index);
}

void TPellinMainForm::MainTabChanged(int) {}

void TPellinMainForm::SubTabChange(int index) {
    FActiveSubTabIndex = index;
    palOptionsSubTab->hide();
    palAdvOptionsSubTab->hide();
    (index == 2 ? palAdvOptionsSubTab : palOptionsSubTab)->show();
    (index == 2 ? btnAdvOptionsSubTab : btnOptionsSubTab)->setChecked(true);
}

void TPellinMainForm::TimerTimer() {
    if (FInRepair)
        labConsumedTime->setText(FormatElapsedTime(
            kElapsedDisplayPattern,
            std::chrono::milliseconds(FStartTime.msecsTo(QDateTime::currentDateTime()))));
}

void TPellinMainForm::btnDstMoreClick() {
    SaveDialog->selectFile(QString());
    const QStringList filters = SaveDialog->nameFilters();
    const int index = std::clamp(FSetting ? FSetting->SaveFilterIndex : 1, 1,
                                 std::max<int>(1, static_cast<int>(filters.size())));
    if (!filters.isEmpty())
        SaveDialog->selectNameFilter(filters[index - 1]);
    SaveDialogTypeChange(SaveDialog->selectedNameFilter());
    if (!SaveDialog->exec() || SaveDialog->selectedFiles().isEmpty())
        return;
    if (FSetting)
        FSetting->SaveFilterIndex =
            static_cast<int>(SaveDialog->nameFilters().indexOf(SaveDialog->selectedNameFilter())) +
            1;
    txtDstFile->setText(SaveDialog->selectedFiles().constFirst());
}

// The default extension follows the chosen filter; "*" means none.
void TPellinMainForm::SaveDialogTypeChange(const QString& filter) {
    const int index = static_cast<int>(SaveDialog->nameFilters().indexOf(filter)) + 1;
    const QString ext = GetFilterExt(tr(kSaveFilter), index);
    SaveDialog->setDefaultSuffix(ext == "*" ? QString() : ext);
}

void TPellinMainForm::ConnectLinks() {
    connect(labHomepage, &QLabel::linkActivated, this, [this] { OpenLink(kHomepageUrl); });
    connect(labSupportCenter, &QLabel::linkActivated, this,
            [this] { OpenLink(kSupportCenterUrl); });
    connect(labEmail, &QLabel::linkActivated, this,
            [] { ShellOpen(QUrl(QString("mailto:") + kSupportEmail)); });
    connect(imgLogo, &QPushButton::clicked, this, [this] { OpenLink(kHomepageUrl); });
    connect(btnFacebookLike, &QPushButton::clicked, this, [this] { OpenLink(kSocialPageUrl); });
    connect(btnFacebookLikeImage, &QPushButton::clicked, this,
            [this] { OpenLink(kSocialPageUrl); });
    connect(btnFeedback, &QPushButton::clicked, this, [this] { OpenLink(kContactPageUrl); });
    connect(btnMoreDir, &QPushButton::clicked, this, [this] {
        const QString dir =
            QFileDialog::getExistingDirectory(this, tr(kSelectTempDir), txtTempDir->text());
        if (!dir.isEmpty())
            txtTempDir->setText(dir);
    });
}

void TPellinMainForm::OpenLink(const QString& url) {
    ShellOpen(QUrl(AddTrackingCode(url)));
}

void TPellinMainForm::btnHelpClick() {
    OpenHelpFile();
}

void TPellinMainForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OpenHelpFile();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TPellinMainForm::AddPage(QWidget* page) {
    page->setParent(FPageArea);
    page->hide();
    FPageLayout->addWidget(page);
}
