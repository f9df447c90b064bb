#include "QtMessageService.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace {

QMessageBox::StandardButton Show(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                 QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QApplication::applicationName(), text, buttons, parent);
    box.setTextFormat(Qt::PlainText); // engine texts are plain, paths may hold '<'
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

MessageService::Answer ToAnswer(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return MessageService::Answer::Yes;
    case QMessageBox::No:
        return MessageService::Answer::No;
    case QMessageBox::NoToAll:
        return MessageService::Answer::NoToAll;
    case QMessageBox::YesToAll:
        return MessageService::Answer::YesToAll;
    case QMessageBox::Ok:
        return MessageService::Answer::Ok;
    default:
        return MessageService::Answer::Cancel;
    }
}

} // namespace

void QtMessageService::Information(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Information, text, QMessageBox::Ok);
}

// With Yes and No only, Qt makes No the box's escape button: Escape and the
// close button both answer No.
MessageService::Answer QtMessageService::Confirm(QWidget* parent, const QString& text) {
    const auto button =
        Show(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No);
    return button == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtMessageService::Error(QWidget* parent, const QString& text) {
    Show(parent, QMessageBox::Critical, text, QMessageBox::Ok);
}

MessageService::Answer QtMessageService::ConfirmBatch(QWidget* parent, const QString& text) {
    return ToAnswer(Show(parent, QMessageBox::Question, text,
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel |
                             QMessageBox::NoToAll | QMessageBox::YesToAll));
}

void QtMessageService::ShowModal(QDialog* dialog) {
    dialog->exec();
}
