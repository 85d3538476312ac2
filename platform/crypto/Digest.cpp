#include "platform/crypto/Digest.h"

#include <nettle/md2.h>
#include <openssl/evp.h>

#include <array>
#include <mutex>

#include "platform/crypto/OpenSSLContext.h"

namespace crypto {

namespace {

// Each fetched once, by its first use; fetched digests are shared safely
// between threads.
const EVP_MD* fetched(Digest::Algorithm algorithm) {
    static std::array<std::once_flag, 8> once;
    static std::array<EVP_MD*, 8> digests{};
    const auto index = static_cast<std::size_t>(algorithm);
    std::call_once(once[index], [algorithm, index] {
        if (const char* name = OpenSSLContext::digestName(algorithm)) {
            digests[index] = OpenSSLContext::fetch(
                [name](OSSL_LIB_CTX* context) { return EVP_MD_fetch(context, name, nullptr); });
        }
    });
    return digests[index];
}

// OpenSSL has no MD2 any more; nettle still carries it.
foundation::Data md2(std::span<const std::uint8_t> bytes) {
    md2_ctx context;
    md2_init(&context);
    md2_update(&context, bytes.size(), bytes.data());
    foundation::Data digest(MD2_DIGEST_SIZE);
    md2_digest(&context, digest.size(), digest.data());
    return digest;
}

}  // namespace

std::size_t Digest::length(Algorithm algorithm) {
    switch (algorithm) {
        case Algorithm::MD2:
        case Algorithm::MD4:
        case Algorithm::MD5:
            return 16;
        case Algorithm::SHA1:
            return 20;
        case Algorithm::SHA224:
            return 28;
        case Algorithm::SHA256:
            return 32;
        case Algorithm::SHA384:
            return 48;
        case Algorithm::SHA512:
            return 64;
    }
    return 0;
}

foundation::Data Digest::compute(Algorithm algorithm, std::span<const std::uint8_t> bytes) {
    if (algorithm == Algorithm::MD2) {
        return md2(bytes);
    }
    const EVP_MD* md = fetched(algorithm);
    if (md == nullptr) {
        return {};
    }
    foundation::Data digest(EVP_MAX_MD_SIZE);
    unsigned int size = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest.data(), &size, md, nullptr) != 1) {
        return {};
    }
    digest.resize(size);
    return digest;
}

foundation::Data Digest::compute(Algorithm algorithm, std::string_view text) {
    return compute(algorithm,
                   std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::string Digest::hex(std::span<const std::uint8_t> bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t byte : bytes) {
        text.push_back(digits[byte >> 4]);
        text.push_back(digits[byte & 0x0f]);
    }
    return text;
}

}  // namespace crypto
