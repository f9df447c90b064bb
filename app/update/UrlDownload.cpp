#include "UrlDownload.h"

#include <QEventLoop>
#include <QIODevice>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace {

QNetworkRequest FreshRequest(const QUrl& url, const TUrlDownload::Limits& limits) {
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    if (limits.timeoutKind == TUrlDownload::TimeoutKind::Silence)
        request.setTransferTimeout(limits.timeoutMsecs);
    return request;
}

bool IsSuccessStatus(const QNetworkReply& reply) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status < 300;
}

// A body shorter than the length the server announced is not a whole file.
bool IsComplete(const QNetworkReply& reply, qint64 received) {
    const QVariant announced = reply.header(QNetworkRequest::ContentLengthHeader);
    return !announced.isValid() || announced.toLongLong() == received;
}

} // namespace

TUrlDownload::TUrlDownload(QObject* parent) : QObject(parent) {
    FManager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

bool TUrlDownload::IsSecureUrl(const QUrl& url) {
    return url.isValid() &&
           url.scheme().compare(QStringLiteral("https"), Qt::CaseInsensitive) == 0 &&
           !url.host().isEmpty();
}

bool TUrlDownload::IsRunning() const {
    return FReply && !FReply->isFinished();
}

bool TUrlDownload::Run(const QUrl& url, QIODevice& sink, const Limits& limits) {
    if (!IsSecureUrl(url) || FReply)
        return false;
    FFailed = false;
    FWritten = 0;
    std::unique_ptr<QNetworkReply> reply(FManager.get(FreshRequest(url, limits)));
    FReply = reply.get();
    QEventLoop loop;
    connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        if (!Drain(*reply, sink, limits.maxBytes))
            Abort();
        else if (!FFailed)
            emit Progress(FWritten);
    });
    connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer deadline;
    if (limits.timeoutKind == TimeoutKind::WholeRequest) {
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, this, &TUrlDownload::Abort);
        deadline.start(limits.timeoutMsecs);
    }
    if (!reply->isFinished())
        loop.exec();
    // The loop also ends when the application quits; the transfer goes with it.
    if (!reply->isFinished())
        Abort();
    if (!FFailed && !Drain(*reply, sink, limits.maxBytes))
        FFailed = true;
    FReply = nullptr;
    return !FFailed && reply->error() == QNetworkReply::NoError && IsSuccessStatus(*reply) &&
           IsComplete(*reply, FWritten);
}

// Moves what has arrived into the sink; false when the sink refuses it or
// the body grows past its limit.
bool TUrlDownload::Drain(QNetworkReply& reply, QIODevice& sink, qint64 maxBytes) {
    const QByteArray chunk = reply.readAll();
    FWritten += chunk.size();
    if (maxBytes >= 0 && FWritten > maxBytes)
        return false;
    return sink.write(chunk) == chunk.size();
}

void TUrlDownload::Abort() {
    if (!IsRunning())
        return;
    FFailed = true;
    FReply->abort();
}
