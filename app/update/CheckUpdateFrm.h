// The small wait window of the update check. It owns the checker, starts
// the check once it has appeared and closes itself when the check ends;
// closing it earlier cancels the check without a word.
#pragma once

#include "UpdateConsts.h"

#include <QDialog>
#include <QUrl>

class MessageService;
class QLabel;
class QPushButton;
class TWebUpdate;

class TCheckUpdateForm : public QDialog {
    Q_OBJECT
  public:
    // The window's result when it closes.
    static constexpr int kModalClose = 8;

    TCheckUpdateForm(QWidget* owner, MessageService& messages,
                     const QUrl& updateUrl = QUrl(update_text::kUpdateInfoUrl));
    ~TCheckUpdateForm() override;

    TWebUpdate* WebUpdate() const { return FWebUpdate; }

  public slots:
    void done(int result) override;
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void customEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void RunCheck();

    TWebUpdate* FWebUpdate = nullptr;
    bool FStarted = false;
    bool FClosed = false;

    QLabel* imgIcon = nullptr;
    QLabel* labMsg = nullptr;
    QPushButton* btnClose = nullptr;
};
