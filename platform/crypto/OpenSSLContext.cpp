#include "platform/crypto/OpenSSLContext.h"

#include <openssl/crypto.h>
#include <openssl/provider.h>

namespace crypto {

OSSL_LIB_CTX* OpenSSLContext::get() {
    static OSSL_LIB_CTX* const context = [] {
        OSSL_LIB_CTX* made = OSSL_LIB_CTX_new();
        OSSL_PROVIDER_load(made, "default");
        return made;
    }();
    return context;
}

bool OpenSSLContext::loadLegacy() {
    // A missing legacy module only leaves its algorithms unavailable:
    // fetching them fails and callers report them as unimplemented.
    static const bool loaded = OSSL_PROVIDER_load(get(), "legacy") != nullptr;
    return loaded;
}

const char* OpenSSLContext::digestName(Digest::Algorithm algorithm) {
    switch (algorithm) {
        case Digest::Algorithm::MD4:
            return "MD4";
        case Digest::Algorithm::MD5:
            return "MD5";
        case Digest::Algorithm::SHA1:
            return "SHA1";
        case Digest::Algorithm::SHA224:
            return "SHA224";
        case Digest::Algorithm::SHA256:
            return "SHA256";
        case Digest::Algorithm::SHA384:
            return "SHA384";
        case Digest::Algorithm::SHA512:
            return "SHA512";
        case Digest::Algorithm::MD2:
            break;
    }
    return nullptr;
}

}  // namespace crypto
