// The product's message window: the framework's, with the message set.
#pragma once

#include "PellinMgfm.h"

class TMsgForm : public TPellinMsgForm {
    Q_OBJECT
  public:
    TMsgForm(QWidget* owner, const QString& message);
};
