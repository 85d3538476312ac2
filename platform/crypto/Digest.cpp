#include "platform/crypto/Digest.h"

#include <vector>

#include "platform/crypto/NettleHash.h"

namespace crypto {

// nettle's digests are plain functions over a small context: nothing to load
// or initialise, so a first digest costs only what its bytes cost.
const nettle_hash& nettleHash(Digest::Algorithm algorithm) {
    switch (algorithm) {
        case Digest::Algorithm::MD2:
            return nettle_md2;
        case Digest::Algorithm::MD4:
            return nettle_md4;
        case Digest::Algorithm::MD5:
            return nettle_md5;
        case Digest::Algorithm::SHA1:
            return nettle_sha1;
        case Digest::Algorithm::SHA224:
            return nettle_sha224;
        case Digest::Algorithm::SHA256:
            return nettle_sha256;
        case Digest::Algorithm::SHA384:
            return nettle_sha384;
        case Digest::Algorithm::SHA512:
            return nettle_sha512;
    }
    return nettle_sha256;
}

std::size_t Digest::length(Algorithm algorithm) {
    return nettleHash(algorithm).digest_size;
}

foundation::Data Digest::compute(Algorithm algorithm, std::span<const std::uint8_t> bytes) {
    const nettle_hash& hash = nettleHash(algorithm);
    std::vector<std::uint8_t> context(hash.context_size);
    hash.init(context.data());
    hash.update(context.data(), bytes.size(), bytes.data());
    foundation::Data digest(hash.digest_size);
    hash.digest(context.data(), digest.size(), digest.data());
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
