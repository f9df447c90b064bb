#include "TestHttpsServer.h"

#include <QSslConfiguration>
#include <QSslSocket>

#include <sys/socket.h>

namespace updatetest {

QByteArray Head(int status, qsizetype length) {
    return "HTTP/1.1 " + QByteArray::number(status) +
           " Canned\r\nContent-Length: " + QByteArray::number(length) +
           "\r\nConnection: close\r\n\r\n";
}

TestHttpsServer::TestHttpsServer(const TestCertificate& certificate) {
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificate(certificate.certificate);
    config.setPrivateKey(certificate.key);
    config.setPeerVerifyMode(QSslSocket::VerifyNone);
    FServer.setSslConfiguration(config);
    connect(&FServer, &QTcpServer::pendingConnectionAvailable, this, &TestHttpsServer::Accept);
}

bool TestHttpsServer::Listen() {
    return FServer.listen(QHostAddress::LocalHost, 0);
}

QUrl TestHttpsServer::Url(const QString& path) const {
    return QUrl(QStringLiteral("https://127.0.0.1:%1%2").arg(FServer.serverPort()).arg(path));
}

void TestHttpsServer::Accept() {
    while (FServer.hasPendingConnections()) {
        auto* socket = qobject_cast<QSslSocket*>(FServer.nextPendingConnection());
        if (!socket)
            continue;
        socket->setParent(this);
        connect(socket, &QSslSocket::readyRead, this, [this, socket] {
            QByteArray& request = FPending[socket];
            request += socket->readAll();
            if (!request.contains("\r\n\r\n"))
                return;
            const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
            const QString path = words.size() > 1 ? QString::fromLatin1(words[1]) : QString();
            FPending.remove(socket);
            requests << path;
            Respond(socket, path);
        });
        connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void TestHttpsServer::Respond(QSslSocket* socket, const QString& path) {
    const auto found = FAnswers.constFind(path);
    if (found == FAnswers.constEnd()) {
        socket->write(Head(404, 0));
        socket->disconnectFromHost();
        return;
    }
    const Answer& answer = *found;
    switch (answer.kind) {
    case Answer::Whole:
        socket->write(Head(answer.status, answer.body.size()) + answer.body);
        socket->disconnectFromHost();
        break;
    case Answer::Truncated:
        socket->write(Head(answer.status, answer.body.size()) +
                      answer.body.left(answer.body.size() / 2));
        socket->flush();
        socket->disconnectFromHost();
        break;
    case Answer::Reset: {
        const linger hard{1, 0};
        ::setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard,
                     sizeof hard);
        socket->abort();
        break;
    }
    case Answer::RedirectToHttp:
        socket->write("HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:" +
                      QByteArray::number(FServer.serverPort()) + path.toLatin1() +
                      "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        break;
    case Answer::Silent:
        break;
    case Answer::HeldBack:
        socket->write(Head(answer.status, answer.body.size()) + answer.body.left(answer.firstPart));
        socket->flush();
        FHeldBack.append({socket, answer.body.mid(answer.firstPart)});
        break;
    }
}

void TestHttpsServer::Release() {
    for (const auto& [socket, rest] : FHeldBack) {
        if (!socket)
            continue;
        socket->write(rest);
        socket->disconnectFromHost();
    }
    FHeldBack.clear();
}

} // namespace updatetest
