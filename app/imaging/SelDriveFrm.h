// The dialog that adds an entry to the batch list: one drive or disk of the
// main window's drive list and the image file it is to be cloned into.
#pragma once

#include "PellinForm.h"

#include <QStringList>

class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class TMainForm;
class TPellinSetting;

class TSelDriveForm : public TPellinForm {
    Q_OBJECT
  public:
    // `owner` refreshes the drive list; `setting` remembers the save
    // dialog's filter. Either may be null.
    TSelDriveForm(TMainForm* owner, TPellinSetting* setting);

    // The drop-down offers a copy of `names`, none of them chosen.
    void SetDriveNames(const QStringList& names);
    // The chosen display name; empty when none is chosen.
    QString SelectedDrive() const;
    QString OutputFile() const;

  public slots:
    void cmbSrcDrivesChange();
    void txtDstFileChange();
    void btnSrcRefreshClick();
    void btnDstMoreClick();
    void SaveDialogTypeChange(const QString& filter);

  private:
    void BuildLayout();
    void UpdateOkButton();

    TMainForm* FOwner;
    TPellinSetting* FSetting;

    QLabel* Label1 = nullptr;
    QLabel* labSelSrcFile = nullptr;
    QComboBox* cmbSrcDrives = nullptr;
    QPushButton* btnSrcRefresh = nullptr;
    QLabel* labSelDstFile = nullptr;
    QLineEdit* txtDstFile = nullptr;
    QPushButton* btnDstMore = nullptr;
    QPushButton* btnOK = nullptr;
    QFileDialog* SaveDialog = nullptr;
};
