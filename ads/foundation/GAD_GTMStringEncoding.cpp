#include "ads/foundation/GAD_GTMStringEncoding.h"

#include <bit>
#include <numeric>

#include "platform/crypto/Base64.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/StringUtilities.h"

namespace {

constexpr std::string_view kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool isASCII(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > 127) {
            return false;
        }
    }
    return true;
}

std::shared_ptr<GAD_GTMStringEncoding> padded(std::string_view alphabet) {
    auto encoding = GAD_GTMStringEncoding::stringEncodingWithString(alphabet);
    encoding->setPaddingChar('=');
    encoding->setDoPad(true);
    return encoding;
}

}  // namespace

GAD_GTMStringEncoding::GAD_GTMStringEncoding(std::string alphabet)
    : alphabet_(std::move(alphabet)) {
    reverse_.fill(kUnknown);
    for (std::size_t i = 0; i < alphabet_.size(); ++i) {
        reverse_[static_cast<unsigned char>(alphabet_[i])] = static_cast<int>(i);
    }
    shift_ = std::countr_zero(alphabet_.size());
    mask_ = (1 << shift_) - 1;
    blockLength_ = std::lcm(8, shift_) / shift_;
}

std::shared_ptr<GAD_GTMStringEncoding> GAD_GTMStringEncoding::stringEncodingWithString(
    std::string_view alphabet) {
    const std::size_t size = alphabet.size();
    if (!isASCII(alphabet) || size < 2 || size > 128 || !std::has_single_bit(size)) {
        return nullptr;
    }
    std::array<bool, 128> seen{};
    for (const char c : alphabet) {
        if (seen[static_cast<unsigned char>(c)]) {
            return nullptr;
        }
        seen[static_cast<unsigned char>(c)] = true;
    }
    return std::make_shared<GAD_GTMStringEncoding>(std::string(alphabet));
}

std::shared_ptr<GAD_GTMStringEncoding> GAD_GTMStringEncoding::binaryStringEncoding() {
    return stringEncodingWithString("01");
}

std::shared_ptr<GAD_GTMStringEncoding> GAD_GTMStringEncoding::hexStringEncoding() {
    auto encoding = stringEncodingWithString("0123456789ABCDEF");
    encoding->addDecodeSynonyms("AaBbCcDdEeFf");
    return encoding;
}

std::shared_ptr<GAD_GTMStringEncoding> GAD_GTMStringEncoding::rfc4648Base32StringEncoding() {
    return padded("ABCDEFGHIJKLMNOPQRSTUVWXYZ234567");
}

std::shared_ptr<GAD_GTMStringEncoding> GAD_GTMStringEncoding::rfc4648Base32HexStringEncoding() {
    return padded("0123456789ABCDEFGHIJKLMNOPQRSTUV");
}

std::shared_ptr<GAD_GTMStringEncoding> GAD_GTMStringEncoding::crockfordBase32StringEncoding() {
    auto encoding = stringEncodingWithString("0123456789ABCDEFGHJKMNPQRSTVWXYZ");
    encoding->addDecodeSynonyms("0oO1iIlLAaBbCcDdEeFfGgHhJjKkMmNnPpQqRrSsTtVvWwXxYyZz");
    return encoding;
}

std::shared_ptr<GAD_GTMStringEncoding> GAD_GTMStringEncoding::rfc4648Base64StringEncoding() {
    return padded(kBase64Alphabet);
}

std::shared_ptr<GAD_GTMStringEncoding> GAD_GTMStringEncoding::rfc4648Base64WebsafeStringEncoding() {
    return padded("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_");
}

void GAD_GTMStringEncoding::addDecodeSynonyms(std::string_view synonyms) {
    int current = kUnknown;
    for (const char c : synonyms) {
        const auto index = static_cast<unsigned char>(c);
        if (index > 127) {
            continue;
        }
        if (reverse_[index] >= 0) {
            current = reverse_[index];
        } else if (reverse_[index] == kUnknown && current >= 0) {
            reverse_[index] = current;
        }
    }
}

bool GAD_GTMStringEncoding::ignoreCharacters(std::string_view characters) {
    bool allFree = true;
    for (const char c : characters) {
        const auto index = static_cast<unsigned char>(c);
        if (index > 127 || reverse_[index] != kUnknown) {
            allFree = false;
            continue;
        }
        reverse_[index] = kIgnored;
    }
    return allFree;
}

void GAD_GTMStringEncoding::setPaddingChar(char padding) {
    paddingChar_ = padding;
    reverse_[static_cast<unsigned char>(padding) & 127] = kPadding;
}

std::string GAD_GTMStringEncoding::encode(std::span<const std::uint8_t> data) const {
    if (data.empty()) {
        return {};
    }
    if (doPad_ && paddingChar_ == '=' && alphabet_ == kBase64Alphabet) {
        return crypto::Base64::encode(data);
    }
    std::string out;
    out.reserve((data.size() * 8 + shift_ - 1) / shift_ + blockLength_);
    unsigned buffer = 0;
    int pending = 0;
    for (const std::uint8_t byte : data) {
        buffer = (buffer << 8) | byte;
        pending += 8;
        while (pending >= shift_) {
            pending -= shift_;
            out.push_back(alphabet_[(buffer >> pending) & mask_]);
        }
        buffer &= (1u << pending) - 1;
    }
    if (pending > 0) {
        out.push_back(alphabet_[(buffer << (shift_ - pending)) & mask_]);
    }
    if (doPad_) {
        while (out.size() % blockLength_ != 0) {
            out.push_back(paddingChar_);
        }
    }
    return out;
}

std::string GAD_GTMStringEncoding::encodeString(std::string_view text) const {
    return encode({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::optional<foundation::Data> GAD_GTMStringEncoding::decode(std::string_view text) const {
    if (!isASCII(text)) {
        return std::nullopt;
    }
    foundation::Data out;
    out.reserve(text.size() * shift_ / 8);
    unsigned buffer = 0;
    int pending = 0;
    bool padding = false;
    for (const char c : text) {
        const int value = reverse_[static_cast<unsigned char>(c)];
        if (value == kIgnored) {
            continue;
        }
        if (value == kUnknown) {
            return std::nullopt;
        }
        if (value == kPadding) {
            padding = true;
            continue;
        }
        if (padding) {
            return std::nullopt;
        }
        buffer = (buffer << shift_) | static_cast<unsigned>(value);
        pending += shift_;
        if (pending >= 8) {
            pending -= 8;
            out.push_back(static_cast<std::uint8_t>(buffer >> pending));
            buffer &= (1u << pending) - 1;
        }
    }
    if (buffer != 0) {
        return std::nullopt;
    }
    return out;
}

std::optional<std::string> GAD_GTMStringEncoding::stringByDecoding(std::string_view text) const {
    const std::optional<foundation::Data> data = decode(text);
    if (!data) {
        return std::nullopt;
    }
    return foundation::stringFromUTF8(*data);
}

std::string GAD_GTMStringEncoding::description() const {
    return foundation::format("<Base%d StringEncoder: %@>", static_cast<int>(alphabet_.size()),
                              alphabet_);
}
