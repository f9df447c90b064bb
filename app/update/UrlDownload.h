// One HTTPS transfer into a device, fetched fresh past every cache, while
// the window thread keeps handling events. Certificates are verified as
// usual; a redirect to plain HTTP, a truncated body, a reset connection, an
// error status or a timeout all make the transfer fail.
#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QUrl>

class QIODevice;
class QNetworkReply;

class TUrlDownload : public QObject {
    Q_OBJECT
  public:
    enum class TimeoutKind {
        WholeRequest, // the transfer must end within the timeout
        Silence,      // the transfer may last, but not stay silent that long
    };
    struct Limits {
        int timeoutMsecs = 30000;
        TimeoutKind timeoutKind = TimeoutKind::WholeRequest;
        qint64 maxBytes = -1; // no limit when negative
    };

    explicit TUrlDownload(QObject* parent = nullptr);

    // Writes the body of `url` into `sink`; true only when all of it
    // arrived and was written. Only https addresses are fetched.
    bool Run(const QUrl& url, QIODevice& sink, const Limits& limits);
    // Ends a running transfer as failed; a transfer that has already
    // ended keeps its result.
    void Abort();
    bool IsRunning() const;

    static bool IsSecureUrl(const QUrl& url);

  signals:
    // The bytes written so far, whenever more arrived. (The reply's own
    // progress signal is held back to a few a second, which can leave a
    // count unshown while the server pauses.)
    void Progress(qint64 bytesReceived);

  private:
    bool Drain(QNetworkReply& reply, QIODevice& sink, qint64 maxBytes);

    QNetworkAccessManager FManager;
    QPointer<QNetworkReply> FReply;
    bool FFailed = false;
    qint64 FWritten = 0;
};
