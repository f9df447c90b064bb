#include "TestCertificate.h"

#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace updatetest {
namespace {

TestCertificate MakeCertificate() {
    TestCertificate made;
    QTemporaryDir dir;
    if (!dir.isValid() || QStandardPaths::findExecutable("openssl").isEmpty())
        return made;
    QProcess openssl;
    openssl.start("openssl",
                  {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                   "-nodes", "-keyout", dir.filePath("key.pem"), "-out", dir.filePath("cert.pem"),
                   "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                   "subjectAltName=IP:127.0.0.1"});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
        return made;
    QFile cert(dir.filePath("cert.pem"));
    QFile key(dir.filePath("key.pem"));
    if (!cert.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
        return made;
    made.certificate = QSslCertificate(cert.readAll(), QSsl::Pem);
    made.key = QSslKey(key.readAll(), QSsl::Ec, QSsl::Pem);
    return made;
}

} // namespace

const TestCertificate& TrustedCertificate() {
    static const TestCertificate certificate = MakeCertificate();
    return certificate;
}

const TestCertificate& UntrustedCertificate() {
    static const TestCertificate certificate = MakeCertificate();
    return certificate;
}

void TrustTestAuthority() {
    static bool trusted = false;
    if (trusted || !TrustedCertificate().IsValid())
        return;
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.addCaCertificate(TrustedCertificate().certificate);
    QSslConfiguration::setDefaultConfiguration(config);
    trusted = true;
}

} // namespace updatetest
