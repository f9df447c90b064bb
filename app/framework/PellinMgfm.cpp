#include "PellinMgfm.h"

#include "ShellOpen.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

constexpr int kMessageLeft = 71;
constexpr int kMessageTop = 7;
constexpr int kMessageWidth = 546;
constexpr int kButtonGap = 16;
constexpr int kExtraHeight = 80;

} // namespace

TPellinMsgForm::TPellinMsgForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::CustomizeWindowHint) {
    setWindowTitle(tr("Information"));

    FImgIcon = new QLabel(this);
    FImgIcon->setObjectName("imgIcon");
    FImgIcon->setGeometry(16, kMessageTop, 32, 32);
    FImgIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));

    FLabMsg = new QLabel(this);
    FLabMsg->setObjectName("labMsg");
    FLabMsg->setTextFormat(Qt::RichText);
    FLabMsg->setWordWrap(true);
    FLabMsg->setFixedWidth(kMessageWidth);
    FLabMsg->move(kMessageLeft, kMessageTop);
    FLabMsg->setTextInteractionFlags(Qt::TextBrowserInteraction);
    FLabMsg->setOpenExternalLinks(false);
    connect(FLabMsg, &QLabel::linkActivated, this,
            [](const QString& link) { ShellOpen(QUrl(link)); });

    FBtnClose = new QPushButton(tr("&Close"), this);
    FBtnClose->setObjectName("btnClose");
    connect(FBtnClose, &QPushButton::clicked, this, &QDialog::reject);
}

// Places the Close button under the text and fits the window around both.
void TPellinMsgForm::showEvent(QShowEvent* event) {
    FLabMsg->setFixedHeight(FLabMsg->heightForWidth(kMessageWidth));
    FBtnClose->adjustSize();
    const int buttonTop = FLabMsg->geometry().bottom() + 1 + kButtonGap;
    FBtnClose->move(kMessageLeft + kMessageWidth - FBtnClose->width(), buttonTop);
    setFixedSize(kMessageLeft + kMessageWidth + 16,
                 FLabMsg->height() + FBtnClose->height() + kExtraHeight);
    QDialog::showEvent(event);
}

void TPellinMsgForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OpenHelpFile();
        return;
    }
    QDialog::keyPressEvent(event);
}
