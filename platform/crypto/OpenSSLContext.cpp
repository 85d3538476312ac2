#include "platform/crypto/OpenSSLContext.h"

#include <openssl/crypto.h>
#include <openssl/provider.h>

namespace crypto {

OSSL_LIB_CTX* OpenSSLContext::get() {
    static OSSL_LIB_CTX* const context = [] {
        OSSL_LIB_CTX* made = OSSL_LIB_CTX_new();
        // A missing legacy module only leaves its algorithms unavailable:
        // fetching them fails and callers report them as unimplemented.
        OSSL_PROVIDER_load(made, "default");
        OSSL_PROVIDER_load(made, "legacy");
        return made;
    }();
    return context;
}

}  // namespace crypto
