#include "platform/crypto/Base64.h"

#include <nettle/base64.h>

namespace crypto {

namespace {

bool inAlphabet(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/';
}

}  // namespace

std::string Base64::encode(std::span<const std::uint8_t> bytes) {
    std::string text(BASE64_ENCODE_RAW_LENGTH(bytes.size()), '\0');
    base64_encode_raw(text.data(), bytes.size(), bytes.data());
    return text;
}

std::optional<foundation::Data> Base64::decode(std::string_view text, Decoding decoding) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        if (inAlphabet(c) || c == '=') {
            kept.push_back(c);
        } else if (decoding == Decoding::Strict) {
            return std::nullopt;
        }
    }
    if (kept.size() % 4 != 0) {
        return std::nullopt;
    }
    const std::size_t firstPad = kept.find('=');
    std::size_t padding = 0;
    if (firstPad != std::string::npos) {
        padding = kept.size() - firstPad;
        if (padding > 2 || kept.find_first_not_of('=', firstPad) != std::string::npos) {
            return std::nullopt;
        }
    }
    base64_decode_ctx context;
    base64_decode_init(&context);
    foundation::Data bytes(BASE64_DECODE_LENGTH(kept.size()));
    std::size_t written = bytes.size();
    if (!base64_decode_update(&context, &written, bytes.data(), kept.size(), kept.data()) ||
        !base64_decode_final(&context)) {
        return std::nullopt;
    }
    bytes.resize(written);
    return bytes;
}

}  // namespace crypto
