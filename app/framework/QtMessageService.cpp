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

MessageService::Answer QtMessageService::Confirm(QWidget* parent, const QString& text) {
    return ToAnswer(Show(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No));
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
