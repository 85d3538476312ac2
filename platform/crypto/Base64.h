#pragma once

// Standard Base64 (RFC 4648 alphabet with "=" padding): encoding without line
// breaks, and a strict decoder that refuses anything that is not Base64 unless
// asked to skip characters outside the alphabet (line breaks, blanks).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/foundation/Data.h"

namespace crypto {

class Base64 {
  public:
    static std::string encode(std::span<const std::uint8_t> bytes);

    enum class Decoding {
        Strict,                   // every character must belong to the encoding
        IgnoreUnknownCharacters,  // characters outside the alphabet and "=" are skipped
    };

    // The decoded bytes, or nullopt when the text is not Base64: a character
    // outside the alphabet (Strict), a length that is not a multiple of four,
    // or "=" anywhere but in the last one or two places.
    static std::optional<foundation::Data> decode(std::string_view text,
                                                  Decoding decoding = Decoding::Strict);
};

}  // namespace crypto
