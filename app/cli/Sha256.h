// SHA-256 through OpenSSL's libcrypto, which uses the processor's SHA
// instructions where it has them.
#pragma once

#include <QString>

#include <cstddef>

struct evp_md_ctx_st;

class Sha256 {
  public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const unsigned char* data, size_t size);
    // The digest as 64 lower-case hexadecimal digits; ends the hashing.
    QString HexDigest();

  private:
    evp_md_ctx_st* m_context;
};
