// The notice of a newer version: its number, the what's-new text and the
// question whether to upgrade. Yes accepts the window, No rejects it.
#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TNewVersionForm : public QDialog {
    Q_OBJECT
  public:
    TNewVersionForm(QWidget* owner, const QString& newVerStr);

    // Fills the memo; an empty text gives the line that says there is none.
    void LoadWhatsNew(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLabel* labNewVersionPrompt = nullptr;
    QLabel* labUpgradePrompt = nullptr;
    QPlainTextEdit* txtWhatsNew = nullptr;
    QPushButton* btnYes = nullptr;
    QPushButton* btnClose = nullptr;
};
