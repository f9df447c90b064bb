#include "CheckUpdateFrm.h"

#include "ShellOpen.h"
#include "WebUpdate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using namespace update_text;

namespace {

constexpr int kMessageWidth = 400;
// The private message a window posts itself on its first show (3024).
const QEvent::Type kStartEvent = static_cast<QEvent::Type>(QEvent::User + 2024);

} // namespace

TCheckUpdateForm::TCheckUpdateForm(QWidget* owner, MessageService& messages, const QUrl& updateUrl)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::CustomizeWindowHint) {
    setObjectName("CheckUpdateForm");
    setWindowTitle(tr(kCheckUpdateTitle));
    imgIcon = new QLabel(this);
    imgIcon->setObjectName("imgIcon");
    imgIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    labMsg = new QLabel(tr(kCheckUpdateWait), this);
    labMsg->setObjectName("labMsg");
    labMsg->setTextFormat(Qt::RichText);
    labMsg->setWordWrap(true);
    labMsg->setFixedWidth(kMessageWidth);
    connect(labMsg, &QLabel::linkActivated, this,
            [](const QString& link) { ShellOpen(QUrl(link)); });
    btnClose = new QPushButton(tr(kClose), this);
    btnClose->setObjectName("btnClose");
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, [this] { done(kModalClose); });

    auto* message = new QHBoxLayout;
    message->addWidget(imgIcon, 0, Qt::AlignTop);
    message->addWidget(labMsg, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addWidget(btnClose, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FWebUpdate = new TWebUpdate(this, messages, updateUrl);
}

TCheckUpdateForm::~TCheckUpdateForm() = default;

void TCheckUpdateForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!FStarted) {
        FStarted = true;
        QCoreApplication::postEvent(this, new QEvent(kStartEvent));
    }
}

void TCheckUpdateForm::customEvent(QEvent* event) {
    if (event->type() == kStartEvent)
        RunCheck();
    QDialog::customEvent(event);
}

void TCheckUpdateForm::RunCheck() {
    if (FClosed)
        return;
    QCoreApplication::processEvents(); // the window paints before the wait
    FWebUpdate->CheckUpdate();
    if (!FClosed)
        done(kModalClose);
}

// Closing the window, by the button, Esc or the check's end, ends the check.
void TCheckUpdateForm::done(int result) {
    if (!FClosed) {
        FClosed = true;
        FWebUpdate->Cancel();
    }
    QDialog::done(result);
}

void TCheckUpdateForm::reject() {
    done(kModalClose);
}

void TCheckUpdateForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OpenHelpFile();
        return;
    }
    QDialog::keyPressEvent(event);
}
