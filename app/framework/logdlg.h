// The save dialog of the process log, with a check box under the standard
// controls that adds version, system and setting information to the file.
#pragma once

#include <QFileDialog>

class QCheckBox;

class TSaveLogDialog : public QFileDialog {
    Q_OBJECT
  public:
    explicit TSaveLogDialog(QWidget* owner);

    // Kept from one use of the dialog to the next; checked at first.
    bool IncludeSysInfo() const;
    void SetIncludeSysInfo(bool include);
    QCheckBox* SystemInfoCheckBox() const { return FSysInfoCheck; }

  private:
    QWidget* FPanel;
    QCheckBox* FSysInfoCheck;
};
