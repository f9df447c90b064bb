// The installer download window: the growing byte count and an Abort
// button. The download starts once the window has appeared and runs while
// the window keeps handling events; the window closes when it ends.
#pragma once

#include "UrlDownload.h"

#include <QDialog>
#include <QPointer>
#include <QUrl>

#include <memory>

class MessageService;
class QIODevice;
class QLabel;
class QPushButton;
class TDownloadForm;

// Hands the transfer's progress to the window; false stops the transfer.
class TDownloadCallback {
  public:
    explicit TDownloadCallback(TDownloadForm* downloadForm) : FDownloadForm(downloadForm) {}
    bool OnProgress(qint64 progress);

  private:
    QPointer<TDownloadForm> FDownloadForm;
};

class TDownloadForm : public QDialog {
    Q_OBJECT
  public:
    TDownloadForm(QWidget* owner, MessageService& messages, const QUrl& url, QIODevice& file,
                  int timeoutMsecs);
    ~TDownloadForm() override;

    // Shows the byte count; false once the user has chosen to abort.
    bool UpdateProgress(qint64 progress);
    bool IsSuccess() const { return FIsSuccess; }

  public slots:
    void btnAbortClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void customEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Esc presses Abort; the window only closes when the download ends.
    void reject() override;

  private:
    void RunDownload();

    MessageService& FMessages;
    QUrl FURL;
    QIODevice& FFile;
    int FTimeoutMsecs;
    bool FAbort = false;
    bool FIsSuccess = false;
    bool FStarted = false;
    std::unique_ptr<TDownloadCallback> FDownloadCallback;
    TUrlDownload FTransfer;

    QLabel* imgIcon = nullptr;
    QLabel* labMsg = nullptr;
    QPushButton* btnAbort = nullptr;
};
