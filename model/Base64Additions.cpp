#include "model/Base64Additions.h"

#include <algorithm>
#include <span>

#include "platform/crypto/Base64.h"

namespace Base64Additions {

namespace {

int valueOf(unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    if (c == '+') {
        return 62;
    }
    if (c == '/') {
        return 63;
    }
    return -1;
}

}  // namespace

foundation::Data base64DataFromString(std::string_view text) {
    foundation::Data bytes;
    bytes.reserve(text.size());
    std::uint32_t group = 0;
    int collected = 0;
    for (unsigned char c : text) {
        if (c == '=') {
            // The open group ends here: its bits, left-aligned, give the bytes.
            const std::uint32_t bits = group << (6 * (4 - collected));
            if (collected == 1 || collected == 2) {
                bytes.push_back(static_cast<std::uint8_t>(bits >> 16));
            } else if (collected == 3) {
                bytes.push_back(static_cast<std::uint8_t>(bits >> 16));
                bytes.push_back(static_cast<std::uint8_t>(bits >> 8));
            }
            return bytes;
        }
        const int value = valueOf(c);
        if (value < 0) {
            continue;
        }
        group = (group << 6) | static_cast<std::uint32_t>(value);
        if (++collected == 4) {
            bytes.push_back(static_cast<std::uint8_t>(group >> 16));
            bytes.push_back(static_cast<std::uint8_t>(group >> 8));
            bytes.push_back(static_cast<std::uint8_t>(group));
            group = 0;
            collected = 0;
        }
    }
    return bytes;
}

std::string base64StringFromData(const foundation::Data& data, std::uint64_t length) {
    const std::size_t count =
        static_cast<std::size_t>(std::min<std::uint64_t>(length, data.size()));
    return crypto::Base64::encode(std::span(data.data(), count));
}

}  // namespace Base64Additions
