#include "DragEdit.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace {

bool CarriesFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return false;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return true;
    }
    return false;
}

} // namespace

TDragEdit::TDragEdit(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(false);
}

void TDragEdit::DragAccept(bool accept) {
    setAcceptDrops(accept);
}

void TDragEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (CarriesFile(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDragEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (CarriesFile(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDragEdit::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            emit OnDropFile(this, url.toLocalFile());
            return;
        }
    }
    event->ignore();
}
