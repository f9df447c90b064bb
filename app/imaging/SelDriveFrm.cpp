#include "SelDriveFrm.h"

#include "FileDialogFilter.h"
#include "MainFrm.h"
#include "PellinConsts.h"
#include "PellinSetting.h"
#include "SpecConsts.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 593;
constexpr int kClientHeight = 169;
constexpr int kLabelGap = 7;  // from the labels to the fields
constexpr int kButtonGap = 5; // from the fields to their buttons

} // namespace

TSelDriveForm::TSelDriveForm(TMainForm* owner, TPellinSetting* setting)
    : TPellinForm(owner), FOwner(owner), FSetting(setting) {
    setObjectName("SelDriveForm");
    setWindowTitle(tr(kSelDriveTitle));
    Label1 = new QLabel(tr(kSelDriveInstruction), this);
    Label1->setObjectName("Label1");
    Label1->setStyleSheet("font-weight: bold;");
    labSelSrcFile = new QLabel(tr(pellin_text::kSelSrcFile), this);
    labSelSrcFile->setObjectName("labSelSrcFile");
    cmbSrcDrives = new QComboBox(this);
    cmbSrcDrives->setObjectName("cmbSrcDrives");
    cmbSrcDrives->setEditable(false);
    cmbSrcDrives->setToolTip(tr(kHintSrcDrives));
    btnSrcRefresh = new QPushButton(this);
    btnSrcRefresh->setObjectName("btnSrcRefresh");
    btnSrcRefresh->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    btnSrcRefresh->setFixedWidth(32);
    btnSrcRefresh->setAutoDefault(false);
    btnSrcRefresh->setToolTip(tr(kHintSrcRefresh));
    labSelDstFile = new QLabel(tr(pellin_text::kSelDstFile), this);
    labSelDstFile->setObjectName("labSelDstFile");
    txtDstFile = new QLineEdit(this);
    txtDstFile->setObjectName("txtDstFile");
    txtDstFile->setToolTip(tr(pellin_text::kHintDstFile));
    btnDstMore = new QPushButton("...", this);
    btnDstMore->setObjectName("btnDstMore");
    btnDstMore->setFixedWidth(32);
    btnDstMore->setAutoDefault(false);
    btnDstMore->setToolTip(tr(pellin_text::kHintDstMore));
    btnOK = new QPushButton(tr(kSelDriveOk), this);
    btnOK->setObjectName("btnOK");
    btnOK->setDefault(true);
    btnOK->setToolTip(tr(kHintSelDriveOk));
    btnClose->setText(tr(kSelDriveCancel));
    btnClose->setToolTip(tr(kHintCloseWindow));
    labSelSrcFile->setBuddy(cmbSrcDrives);
    labSelDstFile->setBuddy(txtDstFile);

    SaveDialog = new QFileDialog(this);
    SaveDialog->setObjectName("SaveDialog");
    SaveDialog->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog->setOption(QFileDialog::DontUseNativeDialog, true);
    SaveDialog->setNameFilters(GetFilterNames(tr(pellin_text::kSaveFilter)));
    BuildLayout();

    connect(cmbSrcDrives, &QComboBox::currentIndexChanged, this,
            &TSelDriveForm::cmbSrcDrivesChange);
    connect(txtDstFile, &QLineEdit::textChanged, this, &TSelDriveForm::txtDstFileChange);
    connect(btnSrcRefresh, &QPushButton::clicked, this, &TSelDriveForm::btnSrcRefreshClick);
    connect(btnDstMore, &QPushButton::clicked, this, &TSelDriveForm::btnDstMoreClick);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(SaveDialog, &QFileDialog::filterSelected, this, &TSelDriveForm::SaveDialogTypeChange);
    UpdateOkButton();
}

void TSelDriveForm::BuildLayout() {
    const int labelWidth =
        std::max(labSelSrcFile->sizeHint().width(), labSelDstFile->sizeHint().width());
    labSelSrcFile->setFixedWidth(labelWidth + kLabelGap - kButtonGap);
    labSelDstFile->setFixedWidth(labelWidth + kLabelGap - kButtonGap);
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(kButtonGap);
    fields->addWidget(labSelSrcFile, 0, 0);
    fields->addWidget(cmbSrcDrives, 0, 1);
    fields->addWidget(btnSrcRefresh, 0, 2);
    fields->addWidget(labSelDstFile, 1, 0);
    fields->addWidget(txtDstFile, 1, 1);
    fields->addWidget(btnDstMore, 1, 2);
    fields->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnClose);
    auto* page = new QVBoxLayout(this);
    page->addWidget(Label1);
    page->addLayout(fields);
    page->addStretch();
    page->addLayout(buttons);
    setFixedSize(kClientWidth, kClientHeight);
}

void TSelDriveForm::SetDriveNames(const QStringList& names) {
    cmbSrcDrives->clear();
    cmbSrcDrives->addItems(names);
    cmbSrcDrives->setCurrentIndex(-1); // the user chooses
    cmbSrcDrives->update();
}

QString TSelDriveForm::SelectedDrive() const {
    return cmbSrcDrives->currentIndex() < 0 ? QString() : cmbSrcDrives->currentText();
}

QString TSelDriveForm::OutputFile() const {
    return txtDstFile->text();
}

// OK needs a chosen drive or disk and an output name; blanks count as a name.
void TSelDriveForm::UpdateOkButton() {
    btnOK->setEnabled(cmbSrcDrives->currentIndex() >= 0 && !txtDstFile->text().isEmpty());
}

void TSelDriveForm::cmbSrcDrivesChange() {
    UpdateOkButton();
}

void TSelDriveForm::txtDstFileChange() {
    UpdateOkButton();
}

// The main window's one refresh, then its new list here. A choice lost
// with the old list disables OK again.
void TSelDriveForm::btnSrcRefreshClick() {
    if (!FOwner)
        return;
    FOwner->btnDriveRefreshClick();
    SetDriveNames(FOwner->DriveList().DisplayNames);
}

void TSelDriveForm::btnDstMoreClick() {
    SaveDialog->selectFile(QString());
    const QStringList filters = SaveDialog->nameFilters();
    const int index = std::clamp(FSetting ? FSetting->SaveFilterIndex : 1, 1,
                                 std::max<int>(1, static_cast<int>(filters.size())));
    SaveDialog->selectNameFilter(filters.value(index - 1));
    SaveDialogTypeChange(SaveDialog->selectedNameFilter());
    if (SaveDialog->exec() != QDialog::Accepted || SaveDialog->selectedFiles().isEmpty())
        return;
    const qsizetype chosen = filters.indexOf(SaveDialog->selectedNameFilter());
    if (FSetting && chosen >= 0)
        FSetting->SaveFilterIndex = static_cast<int>(chosen) + 1;
    txtDstFile->setText(SaveDialog->selectedFiles().constFirst());
}

// A name typed without extension receives the chosen filter's; "All files"
// adds none.
void TSelDriveForm::SaveDialogTypeChange(const QString& filter) {
    const int index = static_cast<int>(SaveDialog->nameFilters().indexOf(filter)) + 1;
    const QString ext = GetFilterExt(tr(pellin_text::kSaveFilter), index);
    SaveDialog->setDefaultSuffix(ext == "*" ? QString() : ext);
}
