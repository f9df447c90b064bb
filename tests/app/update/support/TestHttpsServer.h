// A real HTTPS server on 127.0.0.1, run on the test's own thread, serving
// canned answers: whole bodies, truncated ones, resets, redirects to plain
// HTTP, silence, and bodies held back until the test lets them go.
#pragma once

#include "TestCertificate.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QSslServer>
#include <QStringList>
#include <QUrl>

namespace updatetest {

struct Answer {
    enum Kind {
        Whole,          // status and the whole body
        Truncated,      // announces the body, sends half of it, hangs up
        Reset,          // resets the connection instead of answering
        RedirectToHttp, // sends the client to the same path over plain HTTP
        Silent,         // never answers
        HeldBack,       // sends `firstPart` bytes, the rest after Release()
    };
    Answer(Kind k = Whole, QByteArray b = {}, int s = 200, qsizetype first = 0)
        : kind(k), body(std::move(b)), status(s), firstPart(first) {}
    Kind kind;
    QByteArray body;
    int status;
    qsizetype firstPart;
};

class TestHttpsServer : public QObject {
  public:
    explicit TestHttpsServer(const TestCertificate& certificate);
    bool Listen();
    QUrl Url(const QString& path) const;

    void Serve(const QString& path, const Answer& answer) { FAnswers.insert(path, answer); }
    // Sends what held-back answers kept and ends them.
    void Release();
    // The paths asked for, in order.
    QStringList requests;

  private:
    void Accept();
    void Respond(QSslSocket* socket, const QString& path);

    QSslServer FServer;
    QHash<QString, Answer> FAnswers;
    QHash<QSslSocket*, QByteArray> FPending;
    QList<QPair<QPointer<QSslSocket>, QByteArray>> FHeldBack;
};

QByteArray Head(int status, qsizetype length);

} // namespace updatetest
