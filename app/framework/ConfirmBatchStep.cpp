#include "ConfirmBatchStep.h"

#include "MessageService.h"

bool ConfirmBatchStep(MessageService& messages, QWidget* parent, const QString& message,
                      bool& yesToAll, bool& cancel, bool& noToAll) {
    cancel = false;
    if (noToAll)
        return false;
    if (yesToAll)
        return true;
    switch (messages.ConfirmBatch(parent, message)) {
    case MessageService::Answer::Cancel:
        cancel = true;
        return true;
    case MessageService::Answer::No:
        return false;
    case MessageService::Answer::NoToAll:
        noToAll = true;
        return false;
    case MessageService::Answer::YesToAll:
        yesToAll = true;
        return true;
    default:
        return true;
    }
}
