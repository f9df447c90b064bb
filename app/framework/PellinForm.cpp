#include "PellinForm.h"

#include "ShellOpen.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

const QColor kBackground(0xDD, 0xEB, 0xF7); // light blue

} // namespace

TPellinForm::TPellinForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::CustomizeWindowHint) {
    QPalette background = palette();
    background.setColor(QPalette::Window, kBackground);
    setPalette(background);
    setAutoFillBackground(true);
    btnClose = new QPushButton(tr("&Close"), this);
    btnClose->setObjectName("btnClose");
    btnClose->setAutoDefault(false);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

// Centred over the owner's window, whatever part of it owns the dialog.
void TPellinForm::showEvent(QShowEvent* event) {
    if (const QWidget* owner = parentWidget()) {
        const QRect frame = owner->window()->geometry();
        move(frame.center() - rect().center());
    }
    QDialog::showEvent(event);
}

void TPellinForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OpenHelpFile();
        return;
    }
    QDialog::keyPressEvent(event);
}
