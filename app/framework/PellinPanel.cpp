#include "PellinPanel.h"

TPellinPanel::TPellinPanel(QWidget* parent) : QFrame(parent) {
    setAutoFillBackground(true); // opaque: paints its own colour
}

void TPellinPanel::SetTransparent(bool transparent) {
    if (transparent == FTransparent)
        return;
    FTransparent = transparent;
    setAutoFillBackground(!transparent);
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    update();
    for (QObject* child : children()) {
        if (auto* widget = qobject_cast<QWidget*>(child))
            widget->update();
    }
}
