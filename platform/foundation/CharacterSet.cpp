#include "platform/foundation/CharacterSet.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <memory>
#include <set>

namespace foundation {
namespace {

bool isNewline(char32_t c) {
    return c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x85 || c == 0x2028 ||
           c == 0x2029;
}

bool isWhitespace(char32_t c) {
    return c == 0x09 || u_charType(static_cast<UChar32>(c)) == U_SPACE_SEPARATOR;
}

}  // namespace

CharacterSet CharacterSet::whitespace() {
    return CharacterSet(isWhitespace);
}

CharacterSet CharacterSet::whitespaceAndNewline() {
    return CharacterSet([](char32_t c) { return isWhitespace(c) || isNewline(c); });
}

CharacterSet CharacterSet::newline() {
    return CharacterSet(isNewline);
}

CharacterSet CharacterSet::alphanumeric() {
    return CharacterSet([](char32_t c) {
        const auto mask = U_GET_GC_MASK(static_cast<UChar32>(c));
        return (mask & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) != 0;
    });
}

CharacterSet CharacterSet::letters() {
    return CharacterSet([](char32_t c) {
        const auto mask = U_GET_GC_MASK(static_cast<UChar32>(c));
        return (mask & (U_GC_L_MASK | U_GC_M_MASK)) != 0;
    });
}

CharacterSet CharacterSet::decimalDigits() {
    return CharacterSet(
        [](char32_t c) { return u_charType(static_cast<UChar32>(c)) == U_DECIMAL_DIGIT_NUMBER; });
}

CharacterSet CharacterSet::fromCharacters(std::string_view characters) {
    auto members = std::make_shared<std::set<char32_t>>();
    const auto* bytes = reinterpret_cast<const uint8_t*>(characters.data());
    const auto size = static_cast<int32_t>(characters.size());
    for (int32_t i = 0; i < size;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, size, c);
        if (c >= 0)
            members->insert(static_cast<char32_t>(c));
    }
    return CharacterSet([members](char32_t c) { return members->count(c) > 0; });
}

CharacterSet CharacterSet::inverted() const {
    return CharacterSet([inner = contains_](char32_t c) { return !inner(c); });
}

CharacterSet CharacterSet::united(const CharacterSet& other) const {
    return CharacterSet([a = contains_, b = other.contains_](char32_t c) { return a(c) || b(c); });
}

}  // namespace foundation
