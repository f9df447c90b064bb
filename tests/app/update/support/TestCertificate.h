// A self-signed certificate for 127.0.0.1, made with openssl when a test
// asks for it, and the means to make the program trust it.
#pragma once

#include <QSslCertificate>
#include <QSslKey>
#include <QString>

namespace updatetest {

struct TestCertificate {
    QSslCertificate certificate;
    QSslKey key;
    bool IsValid() const { return !certificate.isNull() && !key.isNull(); }
};

// Made once per process and kept; invalid when openssl is missing.
const TestCertificate& TrustedCertificate();
const TestCertificate& UntrustedCertificate();

// Adds the trusted certificate to the authorities every TLS connection of
// this process accepts.
void TrustTestAuthority();

} // namespace updatetest
