// The question a batch run asks before an entry: Yes, No, Cancel, No to All
// and Yes to All. The two "to All" answers are remembered in flags that the
// caller keeps per question, so that later entries are not asked again.
#pragma once

#include <QString>

class MessageService;
class QWidget;

// True goes on with the entry, false skips it. Cancel is set when the user
// cancelled: the caller tests it first, aborts the entry and ends the run.
bool ConfirmBatchStep(MessageService& messages, QWidget* parent, const QString& message,
                      bool& yesToAll, bool& cancel, bool& noToAll);
