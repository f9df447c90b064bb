// The framework's dialog base: a fixed dialog frame without title-bar
// buttons, centred over its owner, on a light-blue background, with a Close
// button that cancels the dialog (and Esc that does the same).
#pragma once

#include <QDialog>

class QPushButton;

class TPellinForm : public QDialog {
    Q_OBJECT
  public:
    explicit TPellinForm(QWidget* owner);

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    QPushButton* btnClose = nullptr;
};
