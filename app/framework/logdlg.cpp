#include "logdlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QVBoxLayout>

TSaveLogDialog::TSaveLogDialog(QWidget* owner) : QFileDialog(owner) {
    // Qt's own dialog, so that the check box can sit under its controls.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix("log");
    setNameFilter(tr("Log files (*.log)"));

    FPanel = new QWidget(this);
    FPanel->setObjectName("InfoPanel");
    FSysInfoCheck = new QCheckBox(tr("Include S&ystem Information"), FPanel);
    FSysInfoCheck->setObjectName("SystemInfoCheckBox");
    FSysInfoCheck->setChecked(true);
    FSysInfoCheck->setToolTip(tr("Include system information in the log file"));
    auto* panelLayout = new QVBoxLayout(FPanel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(FSysInfoCheck, 0, Qt::AlignTop);

    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(FPanel, grid->rowCount(), 0, 1, grid->columnCount());
}

bool TSaveLogDialog::IncludeSysInfo() const {
    return FSysInfoCheck->isChecked();
}

void TSaveLogDialog::SetIncludeSysInfo(bool include) {
    FSysInfoCheck->setChecked(include);
}
