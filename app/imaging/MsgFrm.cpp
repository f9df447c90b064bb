#include "MsgFrm.h"

#include <QLabel>

TMsgForm::TMsgForm(QWidget* owner, const QString& message) : TPellinMsgForm(owner) {
    labMsg()->setText(message);
}
