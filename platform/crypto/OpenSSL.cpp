#include "platform/crypto/OpenSSL.h"

#include <optional>

#include "platform/foundation/SharedLibrary.h"

namespace crypto {

namespace {

std::optional<OpenSSL> load() {
    foundation::SharedLibrary library;
    if (!library.open(CRYPTO_OPENSSL_LIBRARY, "crypto")) {
        return std::nullopt;
    }
    OpenSSL openssl;
    bool complete = true;
#define CRYPTO_OPENSSL_LOOKUP(name) complete = library.find(#name, openssl.name) && complete;
    CRYPTO_OPENSSL_FUNCTIONS(CRYPTO_OPENSSL_LOOKUP)
#undef CRYPTO_OPENSSL_LOOKUP
    if (!complete) {
        return std::nullopt;
    }
    return openssl;
}

}  // namespace

const OpenSSL* OpenSSL::functions() {
    static const std::optional<OpenSSL> loaded = load();
    return loaded ? &*loaded : nullptr;
}

}  // namespace crypto
