// The product's part of the batch page: its entries come from the add
// dialog, and every run of the list is a clone.
#include "MainFrm.h"

#include "MessageService.h"
#include "PellinConsts.h"
#include "SelDriveFrm.h"
#include "SpecConsts.h"

#include <QTreeWidget>

void TMainForm::btnRepairFilesClick() {
    if (!FInBatchRepair)
        FDstIsImageFile = true; // a batch after a restore still clones
    TPellinMainForm::btnRepairFilesClick();
}

void TMainForm::btnAddFilesClick() {
    TSelDriveForm dialog(this, FSetting);
    btnDriveRefreshClick();
    dialog.SetDriveNames(FDriveList.DisplayNames);
    Messages().ShowModal(&dialog);
    // The choice may have been lost to a refresh inside the dialog.
    if (dialog.result() == QDialog::Accepted && !dialog.SelectedDrive().isEmpty() &&
        !dialog.OutputFile().isEmpty())
        AddBatchEntry(dialog.SelectedDrive(), dialog.OutputFile());
}

// The display name is the key: the same disk with another size (a card
// reader with another medium) is another entry. Outputs may repeat; the run
// asks before overwriting.
void TMainForm::AddBatchEntry(const QString& displayName, const QString& outputFile) {
    for (int row = 0; row < FileList->topLevelItemCount(); ++row) {
        if (FileList->topLevelItem(row)->text(0) == displayName) {
            Messages().Error(this, tr(kDriveAlreadyListed));
            return;
        }
    }
    new QTreeWidgetItem(FileList, {displayName, outputFile, tr(pellin_text::kStatusNotCloned)});
}
