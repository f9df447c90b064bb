// A modal message window: an information icon, a formatted message with
// clickable links, and a Close button under it. It grows with the message.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TPellinMsgForm : public QDialog {
    Q_OBJECT
  public:
    explicit TPellinMsgForm(QWidget* owner);

    QLabel* labMsg() const { return FLabMsg; }
    QPushButton* btnClose() const { return FBtnClose; }

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLabel* FImgIcon;
    QLabel* FLabMsg;
    QPushButton* FBtnClose;
};
