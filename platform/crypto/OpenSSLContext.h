#pragma once

// The OpenSSL library context the ciphers fetch their algorithms from: the
// default provider, plus the legacy one (DES, CAST, RC4) loaded by the first
// algorithm the default one lacks; kept apart from the process-wide context so
// that nothing else sees legacy algorithms.

#include <openssl/types.h>

namespace crypto {

class OpenSSLContext {
  public:
    // Made on first use and kept for the life of the process; the OpenSSL
    // functions must have been loaded (OpenSSL::functions()).
    static OSSL_LIB_CTX* get();

    // What `fetch(get())` answers; when that is null (the default provider
    // lacks the algorithm), what it answers with the legacy provider loaded.
    template <class Fetch>
    static auto fetch(Fetch fetch) {
        auto found = fetch(get());
        return found || !loadLegacy() ? found : fetch(get());
    }

  private:
    // Loads the legacy provider into the context (once); false when it cannot.
    static bool loadLegacy();
};

}  // namespace crypto
