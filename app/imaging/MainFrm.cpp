#include "MainFrm.h"

#include "CloneChecks.h"
#include "DragEdit.h"
#include "LogText.h"
#include "MessageService.h"
#include "MsgFrm.h"
#include "PellinConsts.h"
#include "PellinPanel.h"
#include "Setting.h"
#include "SizeText.h"
#include "SpecConsts.h"
#include "SpecUtils.h"
#include "vorlik/Vorlik.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>

TMainForm::TMainForm(MessageService& messages, QWidget* parent)
    : TPellinMainForm(messages, parent) {
    cmbSrcDrives = new QComboBox(palRepairTab);
    cmbSrcDrives->setObjectName("cmbSrcDrives");
    btnSrcRefresh = new QPushButton(palRepairTab);
    btnSrcRefresh->setObjectName("btnSrcRefresh");
    btnSrcRefresh->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    btnSrcRefresh->setFixedWidth(32);
    labDstFileNote = new QLabel(tr(kDstFileNote), palRepairTab);
    labDstFileNote->setObjectName("labDstFileNote");
    labDstFileNote->setStyleSheet("color: red; font-weight: bold;");
    labCurStatInfo = new QLabel(palProgress);
    labCurStatInfo->setObjectName("labCurStatInfo");
    labReplaceData = new QLabel(tr(kReplaceDataLabel), palOptionsSubTab);
    labReplaceData->setObjectName("labReplaceData");
    txtReplaceData = new QSpinBox(palOptionsSubTab);
    txtReplaceData->setObjectName("txtReplaceData");
    txtReplaceData->setRange(0, 255);
    txtReplaceData->setSingleStep(1);
    labReplaceData->setBuddy(txtReplaceData);
    AddOutputNote(labDstFileNote);
    AddProgressInfo(labCurStatInfo);
    AddOption(labReplaceData, txtReplaceData);
    connect(cmbSrcDrives, &QComboBox::currentIndexChanged, this, &TMainForm::cmbSrcDrivesChange);
    connect(btnSrcRefresh, &QPushButton::clicked, this, &TMainForm::btnDriveRefreshClick);
    connect(btnAddFiles, &QPushButton::clicked, this, &TMainForm::btnAddFilesClick);
    BuildRestorePage();
    FormCreate();
}

TMainForm::~TMainForm() {
    FormDestroy();
}

TSetting* TMainForm::Setting() const {
    return static_cast<TSetting*>(FSetting);
}

void TMainForm::InitForm() {
    FInRestore = false;
    AddSourceSelector(cmbSrcDrives, btnSrcRefresh); // stands where the hidden field is
    labSelSrcFile->setBuddy(cmbSrcDrives);
    btnAddFiles->setFixedHeight(32);
    btnRemoveFiles->setFixedHeight(32);
    btnRemoveAll->setFixedHeight(32);
    cmbSrcDrives->setToolTip(tr(kHintSrcDrives));
    btnSrcRefresh->setToolTip(tr(kHintSrcRefresh));
    SetUpRestorePage();
    FDstIsImageFile = true;

    FSetting = new TSetting();
    Setting()->LoadSetting();
    txtReplaceData->setValue(Setting()->ReplaceData);
    txtTempDir->setText(Setting()->TempDir);
    txtBufSize->setValue(Setting()->BufSize);
    chkAutoUpdate->setChecked(Setting()->AutoUpdate);

    FillDriveLists();
}

void TMainForm::DoneForm() {
    if (!FSetting)
        return;
    Setting()->ReplaceData = static_cast<uint8_t>(txtReplaceData->value() & 0xFF);
    Setting()->TempDir = txtTempDir->text();
    Setting()->BufSize = txtBufSize->value();
    Setting()->AutoUpdate = chkAutoUpdate->isChecked();
    Setting()->SaveSetting();
    delete FSetting;
    FSetting = nullptr;
    FDriveList.Clear();
}

// Every drop-down of drives follows the one list. Nothing is selected
// after filling: the user must choose again.
void TMainForm::FillDriveLists() {
    EnumDrivesAndDisks(FDriveList);
    for (auto [drives, field] :
         {std::pair<QComboBox*, QLineEdit*>{cmbSrcDrives, txtSrcFile},
          std::pair<QComboBox*, QLineEdit*>{cmbRestoreDstDrives, txtRestoreDstFile}}) {
        const QSignalBlocker blocker(drives);
        drives->clear();
        drives->addItems(FDriveList.DisplayNames);
        drives->setCurrentIndex(-1);
        drives->repaint();
        field->setText(drives->currentText());
    }
}

void TMainForm::cmbSrcDrivesChange() {
    txtSrcFile->setText(cmbSrcDrives->currentText());
}

void TMainForm::btnDriveRefreshClick() {
    FillDriveLists();
}

void TMainForm::btnRepairClick() {
    FDstIsImageFile = true;
    TPellinMainForm::btnRepairClick();
}

bool TMainForm::IsValidDstFileExt(const QString& dstFile) {
    return HasImageExtension(dstFile);
}

void TMainForm::BeginJobLog(const QString& srcFile, const QString& dstFile) {
    TPellinMainForm::BeginJobLog(GetBareDisplayName(srcFile), dstFile);
    FObjCount = 0;
    FBadSectorCount = 0;
}

void TMainForm::EndJob() {
    FObjCount = 0;
    FBadSectorCount = 0;
    TPellinMainForm::EndJob();
}

void TMainForm::EnableControls(bool enabled) {
    TPellinMainForm::EnableControls(enabled);
    for (QWidget* w :
         {static_cast<QWidget*>(cmbSrcDrives), static_cast<QWidget*>(btnSrcRefresh),
          static_cast<QWidget*>(txtDstFile), static_cast<QWidget*>(btnDstMore),
          static_cast<QWidget*>(txtRestoreSrcFile), static_cast<QWidget*>(btnRestoreSrcMore),
          static_cast<QWidget*>(btnRestoreSrcSearch), static_cast<QWidget*>(cmbRestoreDstDrives),
          static_cast<QWidget*>(btnRestoreDstRefresh)})
        w->setEnabled(enabled);
    // The restore's own button stays its stop button; another job's run
    // leaves no way to start a restore inside it.
    btnRestore->setEnabled(enabled || FInRestore);
}

void TMainForm::GetSuccessMessage(const QString& srcFile, const QString&, QString& text) {
    text = tr(kCloneSuccess).arg(FormatSize(FObjCount), srcFile, QString::number(FBadSectorCount));
}

QDialog* TMainForm::CreateResultForm(const QString& text) {
    return new TMsgForm(this, text);
}

uint64_t TMainForm::GetSrcSize(const QString& srcFile) {
    return static_cast<uint64_t>(std::max<int64_t>(0, ::GetSrcSize(FDriveList, srcFile)));
}

void TMainForm::GetRepairOptionsStruct(TOptionsStruct* options) {
    options->btReplaceData = static_cast<uint8_t>(txtReplaceData->value());
}

void TMainForm::AddSettingInfo(QStringList& lines) {
    const QLabel* bufSize = findChild<QLabel*>("labBufSize");
    lines << tr(kSettingInfo);
    lines << labReplaceData->text() + " " + QString::number(txtReplaceData->value());
    lines << tr(pellin_text::kTempDirLabel) + " " + txtTempDir->text();
    lines << bufSize->text() + " " + QString::number(txtBufSize->value());
    lines << kSeparatorLine << tr(kSettingInfoEnd) << kSeparatorLine;
}
