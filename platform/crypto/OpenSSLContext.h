#pragma once

// The OpenSSL library context the crypto layer fetches its algorithms from:
// the default provider plus the legacy one (MD4, DES, CAST, RC4), kept apart
// from the process-wide context so that nothing else sees legacy algorithms.

#include <openssl/types.h>

#include "platform/crypto/Digest.h"

namespace crypto {

class OpenSSLContext {
  public:
    // Made on first use and kept for the life of the process.
    static OSSL_LIB_CTX* get();

    // The name OpenSSL fetches the digest algorithm by; nullptr for MD2,
    // which OpenSSL no longer carries.
    static const char* digestName(Digest::Algorithm algorithm);
};

}  // namespace crypto
