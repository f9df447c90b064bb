// The message service on screen: Qt's message boxes.
#pragma once

#include "MessageService.h"

class QtMessageService : public MessageService {
  public:
    void Information(QWidget* parent, const QString& text) override;
    Answer Confirm(QWidget* parent, const QString& text) override;
    void Error(QWidget* parent, const QString& text) override;
    Answer ConfirmBatch(QWidget* parent, const QString& text) override;
    void ShowModal(QDialog* dialog) override;
};
