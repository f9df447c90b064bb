// Every message box of the program goes through one service, so that tests
// can answer the questions a run asks.
#pragma once

#include <QString>

class QDialog;
class QWidget;

class MessageService {
  public:
    enum class Answer { Ok, Yes, No, Cancel, NoToAll, YesToAll };

    virtual ~MessageService() = default;
    // OK only, with the information icon.
    virtual void Information(QWidget* parent, const QString& text) = 0;
    // Yes and No, with the question icon. Closing the box without choosing
    // (Escape, the title bar's close) answers No: nothing is overwritten
    // that the user did not confirm.
    virtual Answer Confirm(QWidget* parent, const QString& text) = 0;
    // OK only, with the error icon.
    virtual void Error(QWidget* parent, const QString& text) = 0;
    // Yes, No, Cancel, No to All and Yes to All.
    virtual Answer ConfirmBatch(QWidget* parent, const QString& text) = 0;
    // Shows a window of the program's own modally.
    virtual void ShowModal(QDialog* dialog) = 0;
};
