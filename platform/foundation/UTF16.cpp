#include "platform/foundation/UTF16.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

namespace foundation::utf16 {
namespace {

// Walks the text one code point at a time, calling visit(byteOffset,
// codePoint, units) and stopping when it answers false. Invalid bytes come as
// U+FFFD of one unit.
template <typename Visit>
void walk(std::string_view text, Visit visit) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto size = static_cast<int32_t>(text.size());
    int32_t offset = 0;
    while (offset < size) {
        const int32_t start = offset;
        UChar32 c = 0;
        U8_NEXT(bytes, offset, size, c);
        if (c < 0)
            c = 0xFFFD;
        if (!visit(static_cast<std::size_t>(start), c, static_cast<std::size_t>(U16_LENGTH(c))))
            return;
    }
}

}  // namespace

bool isValidUTF8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto size = static_cast<int32_t>(text.size());
    int32_t offset = 0;
    while (offset < size) {
        UChar32 c = 0;
        U8_NEXT(bytes, offset, size, c);
        if (c < 0)
            return false;
    }
    return true;
}

std::size_t length(std::string_view text) {
    std::size_t units = 0;
    walk(text, [&](std::size_t, UChar32, std::size_t n) {
        units += n;
        return true;
    });
    return units;
}

std::optional<char16_t> characterAt(std::string_view text, std::size_t index) {
    std::optional<char16_t> result;
    std::size_t position = 0;
    walk(text, [&](std::size_t, UChar32 c, std::size_t n) {
        if (index < position + n) {
            if (n == 1)
                result = static_cast<char16_t>(c);
            else
                result = index == position ? U16_LEAD(c) : U16_TRAIL(c);
            return false;
        }
        position += n;
        return true;
    });
    return result;
}

std::size_t byteOffset(std::string_view text, std::size_t index) {
    std::size_t result = text.size();
    std::size_t position = 0;
    walk(text, [&](std::size_t offset, UChar32, std::size_t n) {
        if (index < position + n) {
            result = offset;
            return false;
        }
        position += n;
        return true;
    });
    return result;
}

std::string substring(std::string_view text, std::size_t location, std::size_t count) {
    const std::size_t begin = byteOffset(text, location);
    if (count == std::string::npos)
        return std::string(text.substr(begin));
    const std::size_t lastUnit = location + count;
    std::size_t end = text.size();
    std::size_t position = 0;
    walk(text, [&](std::size_t offset, UChar32, std::size_t n) {
        if (position >= lastUnit) {
            end = offset;
            return false;
        }
        position += n;
        return true;
    });
    return begin < end ? std::string(text.substr(begin, end - begin)) : std::string();
}

std::optional<std::string> replacing(std::string_view text, std::size_t location, std::size_t count,
                                     std::string_view replacement) {
    const std::size_t units = length(text);
    if (location > units || count > units - location)
        return std::nullopt;
    return substring(text, 0, location) + std::string(replacement) +
           substring(text, location + count);
}

std::u16string toUTF16(std::string_view text) {
    std::u16string out;
    walk(text, [&](std::size_t, UChar32 c, std::size_t n) {
        if (n == 1) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            out.push_back(static_cast<char16_t>(U16_LEAD(c)));
            out.push_back(static_cast<char16_t>(U16_TRAIL(c)));
        }
        return true;
    });
    return out;
}

std::optional<std::string> fromUTF16(std::u16string_view text) {
    std::string out;
    const auto size = static_cast<int32_t>(text.size());
    int32_t i = 0;
    while (i < size) {
        UChar32 c = 0;
        U16_NEXT(text.data(), i, size, c);
        if (U_IS_SURROGATE(c))
            return std::nullopt;
        uint8_t buffer[4];
        int32_t n = 0;
        U8_APPEND_UNSAFE(buffer, n, c);
        out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
    }
    return out;
}

}  // namespace foundation::utf16
