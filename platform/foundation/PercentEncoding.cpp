#include "platform/foundation/PercentEncoding.h"

#include <cctype>

#include "platform/foundation/UTF16.h"

namespace foundation {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void appendEscaped(std::string& out, unsigned char byte) {
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

bool legacyKeeps(unsigned char c) {
    if (c <= 0x20 || c >= 0x7F)
        return false;
    return std::string_view("\"%<>\\^`{|}").find(static_cast<char>(c)) == std::string_view::npos;
}

bool isUnreserved(unsigned char c) {
    return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string addingPercentEscapes(std::string_view text, std::string_view alsoEscape) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (legacyKeeps(c) && alsoEscape.find(ch) == std::string_view::npos)
            out += ch;
        else
            appendEscaped(out, c);
    }
    return out;
}

std::string addingPercentEncodingForAll(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUnreserved(c))
            out += ch;
        else
            appendEscaped(out, c);
    }
    return out;
}

std::optional<std::string> removingPercentEncoding(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const int high = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    if (!utf16::isValidUTF8(out))
        return std::nullopt;
    return out;
}

}  // namespace foundation
