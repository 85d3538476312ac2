#include "platform/crypto/Hmac.h"

#include <openssl/evp.h>

#include "platform/crypto/OpenSSLContext.h"

namespace crypto {

foundation::Data Hmac::compute(Digest::Algorithm algorithm, std::span<const std::uint8_t> key,
                               std::span<const std::uint8_t> data) {
    // MD2 and MD4 have no HMAC here.
    if (algorithm == Digest::Algorithm::MD2 || algorithm == Digest::Algorithm::MD4) {
        return {};
    }
    const char* name = OpenSSLContext::digestName(algorithm);
    // HMAC pads its key with zero bytes to the block size, so an empty key and
    // a single zero byte are the same key; OpenSSL refuses the empty one.
    static const std::uint8_t zero = 0;
    const std::uint8_t* keyBytes = key.empty() ? &zero : key.data();
    std::size_t keyLength = key.empty() ? 1 : key.size();

    foundation::Data code(Digest::length(algorithm));
    std::size_t written = 0;
    if (EVP_Q_mac(OpenSSLContext::get(), "HMAC", nullptr, name, nullptr, keyBytes, keyLength,
                  data.data(), data.size(), code.data(), code.size(), &written) == nullptr) {
        return {};
    }
    code.resize(written);
    return code;
}

}  // namespace crypto
