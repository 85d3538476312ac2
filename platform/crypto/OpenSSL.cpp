#include "platform/crypto/OpenSSL.h"

#include <optional>

#include "platform/foundation/SharedLibrary.h"

namespace crypto {

const OpenSSL* OpenSSL::functions() {
    static const std::optional<OpenSSL> loaded = foundation::SharedLibrary::loadTable<OpenSSL>(
        CRYPTO_OPENSSL_LIBRARY, "crypto",
        [](auto find, OpenSSL& table) { CRYPTO_OPENSSL_FUNCTIONS(FOUNDATION_FIND_FUNCTION) });
    return loaded ? &*loaded : nullptr;
}

}  // namespace crypto
