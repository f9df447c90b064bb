#include "DownloadFrm.h"

#include "MessageService.h"
#include "ShellOpen.h"
#include "SizeText.h"
#include "UpdateConsts.h"

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

constexpr int kMessageWidth = 420;
// The private message a window posts itself on its first show (3024).
const QEvent::Type kStartEvent = static_cast<QEvent::Type>(QEvent::User + 2024);

} // namespace

bool TDownloadCallback::OnProgress(qint64 progress) {
    return !FDownloadForm || FDownloadForm->UpdateProgress(progress);
}

TDownloadForm::TDownloadForm(QWidget* owner, MessageService& messages, const QUrl& url,
                             QIODevice& file, int timeoutMsecs)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::CustomizeWindowHint),
      FMessages(messages), FURL(url), FFile(file), FTimeoutMsecs(timeoutMsecs),
      FDownloadCallback(std::make_unique<TDownloadCallback>(this)) {
    setObjectName("DownloadForm");
    setWindowTitle(tr(kDownloadTitle));
    imgIcon = new QLabel(this);
    imgIcon->setObjectName("imgIcon");
    imgIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    labMsg = new QLabel(this);
    labMsg->setObjectName("labMsg");
    labMsg->setTextFormat(Qt::RichText);
    labMsg->setWordWrap(true);
    labMsg->setMinimumWidth(kMessageWidth);
    connect(labMsg, &QLabel::linkActivated, this,
            [](const QString& link) { ShellOpen(QUrl(link)); });
    btnAbort = new QPushButton(tr(kAbort), this);
    btnAbort->setObjectName("btnAbort");
    btnAbort->setDefault(true);
    connect(btnAbort, &QPushButton::clicked, this, &TDownloadForm::btnAbortClick);

    auto* message = new QHBoxLayout;
    message->addWidget(imgIcon, 0, Qt::AlignTop);
    message->addWidget(labMsg, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addWidget(btnAbort, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(&FTransfer, &TUrlDownload::Progress, this, [this](qint64 bytes) {
        if (!FDownloadCallback->OnProgress(bytes))
            FTransfer.Abort();
    });
    UpdateProgress(0);
}

TDownloadForm::~TDownloadForm() {
    FTransfer.Abort();
}

bool TDownloadForm::UpdateProgress(qint64 progress) {
    // The address comes from the network: shown as text, never as markup.
    labMsg->setText(tr(kDownloadProgress)
                        .arg(FURL.toString().toHtmlEscaped(), FormatByteCount(int64_t{progress})));
    return !FAbort;
}

void TDownloadForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!FStarted) {
        FStarted = true;
        QCoreApplication::postEvent(this, new QEvent(kStartEvent));
    }
}

void TDownloadForm::customEvent(QEvent* event) {
    if (event->type() == kStartEvent)
        RunDownload();
    QDialog::customEvent(event);
}

void TDownloadForm::RunDownload() {
    const bool transferred =
        FTransfer.Run(FURL, FFile, {FTimeoutMsecs, TUrlDownload::TimeoutKind::Silence, -1});
    FIsSuccess = transferred && !FAbort;
    done(FIsSuccess ? QDialog::Accepted : QDialog::Rejected);
}

void TDownloadForm::btnAbortClick() {
    if (FMessages.Confirm(this, tr(kAskAbortDownload)) != MessageService::Answer::Yes)
        return;
    // A transfer that has already ended keeps its result.
    if (!FTransfer.IsRunning())
        return;
    FAbort = true;
    FTransfer.Abort();
}

void TDownloadForm::reject() {
    btnAbortClick();
}

void TDownloadForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OpenHelpFile();
        return;
    }
    QDialog::keyPressEvent(event);
}
