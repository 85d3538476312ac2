#pragma once

// Message digests (MD2, MD4, MD5, SHA-1 and SHA-2) of bytes or of text taken
// as its UTF-8 bytes, and the lower-case hexadecimal form that identifiers and
// cache file names are written in.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/foundation/Data.h"

namespace crypto {

class Digest {
  public:
    enum class Algorithm { MD2, MD4, MD5, SHA1, SHA224, SHA256, SHA384, SHA512 };

    // Bytes in a digest of the algorithm: 16, 20, 28, 32, 48 or 64.
    static std::size_t length(Algorithm algorithm);

    // The digest of the bytes, length(algorithm) of them.
    static foundation::Data compute(Algorithm algorithm, std::span<const std::uint8_t> bytes);
    static foundation::Data compute(Algorithm algorithm, std::string_view text);

    static foundation::Data md5(std::span<const std::uint8_t> bytes) {
        return compute(Algorithm::MD5, bytes);
    }
    static foundation::Data md5(std::string_view text) { return compute(Algorithm::MD5, text); }
    static foundation::Data sha1(std::span<const std::uint8_t> bytes) {
        return compute(Algorithm::SHA1, bytes);
    }
    static foundation::Data sha1(std::string_view text) { return compute(Algorithm::SHA1, text); }
    static foundation::Data sha256(std::span<const std::uint8_t> bytes) {
        return compute(Algorithm::SHA256, bytes);
    }
    static foundation::Data sha256(std::string_view text) {
        return compute(Algorithm::SHA256, text);
    }

    // Two lower-case hexadecimal digits per byte, in order ("%02x" each).
    static std::string hex(std::span<const std::uint8_t> bytes);

    // hex(md5(text)): the 32-digit form used for cache keys and identifiers.
    static std::string md5Hex(std::string_view text) { return hex(md5(text)); }
};

}  // namespace crypto
