#include "ScriptedMessageService.h"

#include <QDialog>
#include <QLabel>

void ScriptedMessageService::Record(const QString& kind, const QString& text) {
    shown.append({kind, text});
    if (onShow)
        onShow(shown.last());
}

MessageService::Answer ScriptedMessageService::NextAnswer() {
    return answers.isEmpty() ? Answer::Yes : answers.takeFirst();
}

void ScriptedMessageService::Information(QWidget*, const QString& text) {
    Record("information", text);
}

MessageService::Answer ScriptedMessageService::Confirm(QWidget*, const QString& text) {
    Record("confirm", text);
    return NextAnswer();
}

void ScriptedMessageService::Error(QWidget*, const QString& text) {
    Record("error", text);
}

MessageService::Answer ScriptedMessageService::ConfirmBatch(QWidget*, const QString& text) {
    Record("batch", text);
    return NextAnswer();
}

// A window is shown, and its message recorded, without waiting for a click.
void ScriptedMessageService::ShowModal(QDialog* dialog) {
    dialog->show();
    const auto* message = dialog->findChild<QLabel*>("labMsg");
    Record("window", message ? message->text() : dialog->windowTitle());
    dialog->hide();
}

QStringList ScriptedMessageService::Texts(const QString& kind) const {
    QStringList texts;
    for (const Shown& s : shown) {
        if (s.kind == kind)
            texts << s.text;
    }
    return texts;
}
