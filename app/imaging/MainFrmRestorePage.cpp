// The Restore page: its controls, the choice of image file and target, and
// the page switch that lends it the Clone page's log and progress panel.
#include "DragEdit.h"
#include "FileDialogFilter.h"
#include "MainFrm.h"
#include "MessageService.h"
#include "PellinPanel.h"
#include "SearchFrm.h"
#include "SpecConsts.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr int kRestoreLogRow = 4;
constexpr int kRestoreColumns = 5;
constexpr int kSmallButtonWidth = 32;

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QPushButton* SmallButton(QWidget* parent, const char* name, const QIcon& icon, const char* hint) {
    auto* button = Named(new QPushButton(parent), name);
    button->setIcon(icon);
    button->setFixedWidth(kSmallButtonWidth);
    button->setToolTip(QObject::tr(hint));
    return button;
}

} // namespace

void TMainForm::BuildRestorePage() {
    palRestoreTab = Named(new TPellinPanel(this), "palRestoreTab");
    palRestoreTab->setStyleSheet("#palRestoreTab { background-color: #e8f1fb; }");
    btnRestoreTab = Named(new QPushButton(tr(kRestoreTab), this), "btnRestoreTab");
    labRestoreSelSrcFile =
        Named(new QLabel(tr(kRestoreSelSrcFile), palRestoreTab), "labRestoreSelSrcFile");
    txtRestoreSrcFile = Named(new TDragEdit(palRestoreTab), "txtRestoreSrcFile");
    btnRestoreSrcMore = Named(new QPushButton("...", palRestoreTab), "btnRestoreSrcMore");
    btnRestoreSrcMore->setFixedWidth(kSmallButtonWidth);
    btnRestoreSrcMore->setToolTip(tr(kHintRestoreSrcMore));
    btnRestoreSrcSearch = SmallButton(palRestoreTab, "btnRestoreSrcSearch",
                                      style()->standardIcon(QStyle::SP_FileDialogContentsView),
                                      kHintRestoreSrcSearch);
    labRestoreSelDstFile =
        Named(new QLabel(tr(kRestoreSelDstFile), palRestoreTab), "labRestoreSelDstFile");
    cmbRestoreDstDrives = Named(new QComboBox(palRestoreTab), "cmbRestoreDstDrives");
    btnRestoreDstRefresh =
        SmallButton(palRestoreTab, "btnRestoreDstRefresh",
                    style()->standardIcon(QStyle::SP_BrowserReload), kHintSrcRefresh);
    txtRestoreDstFile = Named(new QLineEdit(palRestoreTab), "txtRestoreDstFile");
    txtRestoreDstFile->hide();
    Label7 = Named(new QLabel(tr(kRestoreDstNote), palRestoreTab), "Label7");
    Label7->setStyleSheet("color: red; font-weight: bold;");
    btnRestore = Named(new QPushButton(tr(kStartRestore), palRestoreTab), "btnRestore");
    btnRestore->setMinimumWidth(130);
    labRestoreLogPrompt =
        Named(new QLabel(tr(kRestoreLogPrompt), palRestoreTab), "labRestoreLogPrompt");
    labRestoreSelSrcFile->setBuddy(txtRestoreSrcFile);
    labRestoreSelDstFile->setBuddy(cmbRestoreDstDrives);
    RestoreOpenDialog = Named(new QFileDialog(this), "RestoreOpenDialog");
    RestoreOpenDialog->setOption(QFileDialog::DontUseNativeDialog, true);

    // The source field ends 5 pixels left of its browse button; the target
    // drop-down ends where the source field ends.
    auto* grid = FRestoreGrid = new QGridLayout(palRestoreTab);
    grid->setContentsMargins(10, 8, 10, 4);
    grid->setHorizontalSpacing(5);
    grid->addWidget(labRestoreSelSrcFile, 0, 0);
    grid->addWidget(txtRestoreSrcFile, 0, 1);
    grid->addWidget(btnRestoreSrcMore, 0, 2);
    grid->addWidget(btnRestoreSrcSearch, 0, 3);
    grid->addWidget(labRestoreSelDstFile, 1, 0);
    grid->addWidget(cmbRestoreDstDrives, 1, 1);
    grid->addWidget(txtRestoreDstFile, 1, 1);
    grid->addWidget(btnRestoreDstRefresh, 1, 2);
    grid->addWidget(Label7, 2, 1, 1, 3);
    grid->addWidget(btnRestore, 0, 4, 2, 1);
    grid->addWidget(labRestoreLogPrompt, kRestoreLogRow - 1, 0, 1, kRestoreColumns);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(kRestoreLogRow, 1);
    AddPage(palRestoreTab);
    AddPageButton(btnRestoreTab, kRestorePage, 2); // after the Batch Clone page's button

    connect(btnRestore, &QPushButton::clicked, this, &TMainForm::btnRestoreClick);
    connect(btnRestoreSrcMore, &QPushButton::clicked, this, &TMainForm::btnRestoreSrcMoreClick);
    connect(btnRestoreSrcSearch, &QPushButton::clicked, this, &TMainForm::btnRestoreSrcSearchClick);
    connect(btnRestoreDstRefresh, &QPushButton::clicked, this, &TMainForm::btnDriveRefreshClick);
    connect(cmbRestoreDstDrives, &QComboBox::currentIndexChanged, this,
            &TMainForm::cmbRestoreDstDrivesChange);
    connect(txtRestoreSrcFile, &TDragEdit::OnDropFile, this, &TMainForm::txtRestoreSrcFileDropFile);
}

// The product's set-up of the page, once the window exists.
void TMainForm::SetUpRestorePage() {
    FInRestore = false;
    FIsRestoreStopping = false;
    SetButtonStyle(btnRestore, "startbutton");
    // Both labels end the same distance before their fields.
    const int width = std::max(labRestoreSelSrcFile->sizeHint().width(),
                               labRestoreSelDstFile->sizeHint().width());
    labRestoreSelSrcFile->setMinimumWidth(width + 2);
    labRestoreSelDstFile->setMinimumWidth(width + 2);
    RestoreOpenDialog->setFileMode(QFileDialog::ExistingFile);
    RestoreOpenDialog->setNameFilters(GetFilterNames(tr(kRestoreFilter)));
    txtRestoreSrcFile->DragAccept(true);
}

void TMainForm::btnRestoreSrcMoreClick() {
    if (!RestoreOpenDialog->exec() || RestoreOpenDialog->selectedFiles().isEmpty())
        return;
    txtRestoreSrcFile->setText(RestoreOpenDialog->selectedFiles().constFirst());
}

void TMainForm::CreateSearchForm() {
    if (!FSearchForm)
        FSearchForm = new TSearchForm(Messages(), this);
}

// One file is wanted; a search that was cancelled, or closed without Add
// Selected, leaves the source as it was.
void TMainForm::btnRestoreSrcSearchClick() {
    CreateSearchForm();
    FSearchForm->SetSkins(styleSheet(), styleSheet(), QString(), QString());
    FSearchForm->SetMultiSelect(false);
    FSearchForm->Tag = 0;
    Messages().ShowModal(FSearchForm);
    const QStringList chosen = FSearchForm->SelectedFiles();
    if (FSearchForm->Tag == 1 && !chosen.isEmpty())
        txtRestoreSrcFile->setText(chosen.constFirst());
}

void TMainForm::txtRestoreSrcFileDropFile(QObject*, const QString& file) {
    txtRestoreSrcFile->setText(file);
}

void TMainForm::cmbRestoreDstDrivesChange() {
    txtRestoreDstFile->setText(cmbRestoreDstDrives->currentText());
}

// The Clone and Restore pages share one log: it moves, with the progress
// panel and Save Log, to whichever of them is shown. Help is reached by F1.
void TMainForm::MainTabChanged(int index) {
    palProgress->hide();
    palRestoreTab->hide();
    if (index == kClonePage) {
        PlaceLogArea(RepairTabGrid(), kRepairLogRow, kRepairColumns);
        palProgress->show();
        labRepairLogPrompt->raise();
    } else if (index == kRestorePage) {
        btnRestoreTab->setChecked(true);
        palRestoreTab->show();
        PlaceLogArea(FRestoreGrid, kRestoreLogRow, kRestoreColumns);
        labRestoreLogPrompt->raise();
        palProgress->show();
        // The About page hides the footer; this page has its links.
        palLeftFooter->show();
        btnFacebookLike->show();
        btnFeedback->show();
    }
    btnHelp->hide();
}
