#include "platform/crypto/OpenSSLContext.h"

#include "platform/crypto/OpenSSL.h"

namespace crypto {

OSSL_LIB_CTX* OpenSSLContext::get() {
    static OSSL_LIB_CTX* const context = [] {
        const OpenSSL& openssl = *OpenSSL::functions();
        OSSL_LIB_CTX* made = openssl.OSSL_LIB_CTX_new();
        openssl.OSSL_PROVIDER_load(made, "default");
        return made;
    }();
    return context;
}

bool OpenSSLContext::loadLegacy() {
    // A missing legacy module only leaves its algorithms unavailable:
    // fetching them fails and callers report them as unimplemented.
    static const bool loaded = OpenSSL::functions()->OSSL_PROVIDER_load(get(), "legacy") != nullptr;
    return loaded;
}

}  // namespace crypto
