#include "platform/crypto/Hmac.h"

#include <openssl/evp.h>

#include "platform/crypto/OpenSSLContext.h"

namespace crypto {

namespace {

const char* digestName(Digest::Algorithm algorithm) {
    switch (algorithm) {
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
        case Digest::Algorithm::MD4:
            break;
    }
    return nullptr;
}

}  // namespace

foundation::Data Hmac::compute(Digest::Algorithm algorithm, std::span<const std::uint8_t> key,
                               std::span<const std::uint8_t> data) {
    const char* name = digestName(algorithm);
    if (name == nullptr) {
        return {};
    }
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
