#include "Sha256.h"

#include <openssl/evp.h>

#include <new>

Sha256::Sha256() : m_context(EVP_MD_CTX_new()) {
    if (!m_context || EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr) != 1)
        throw std::bad_alloc();
}

Sha256::~Sha256() {
    EVP_MD_CTX_free(m_context);
}

void Sha256::Update(const unsigned char* data, size_t size) {
    EVP_DigestUpdate(m_context, data, size);
}

QString Sha256::HexDigest() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    EVP_DigestFinal_ex(m_context, digest, &size);
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(digest), static_cast<qsizetype>(size)).toHex());
}
