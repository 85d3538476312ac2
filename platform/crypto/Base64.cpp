#include "platform/crypto/Base64.h"

#include <openssl/evp.h>

#include <algorithm>

namespace crypto {

namespace {

bool inAlphabet(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/';
}

}  // namespace

std::string Base64::encode(std::span<const std::uint8_t> bytes) {
    std::string text;
    // EVP_EncodeBlock takes int lengths: encode in slices of whole groups.
    constexpr std::size_t slice = 3u << 28;
    for (std::size_t offset = 0; offset < bytes.size(); offset += slice) {
        const std::size_t length = std::min(slice, bytes.size() - offset);
        const std::size_t start = text.size();
        text.resize(start + 4 * ((length + 2) / 3) + 1);
        const int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data() + start),
                                            bytes.data() + offset, static_cast<int>(length));
        text.resize(start + static_cast<std::size_t>(written));
    }
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
    foundation::Data bytes;
    bytes.reserve(kept.size() / 4 * 3);
    // Group by group, so that no int length can overflow.
    for (std::size_t offset = 0; offset < kept.size(); offset += 4) {
        unsigned char group[3];
        if (EVP_DecodeBlock(group, reinterpret_cast<const unsigned char*>(kept.data() + offset),
                            4) != 3) {
            return std::nullopt;
        }
        bytes.insert(bytes.end(), group, group + 3);
    }
    bytes.erase(bytes.end() - static_cast<std::ptrdiff_t>(padding), bytes.end());
    return bytes;
}

}  // namespace crypto
