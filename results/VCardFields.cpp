#include "results/VCardFields.h"

#include <unicode/utf16.h>

#include <cstdint>
#include <string_view>

#include "platform/foundation/StringUtilities.h"
#include "platform/foundation/UTF16.h"
#include "results/ArrayAndStringCategories.h"

namespace VCardFields {

namespace {

using ArrayAndStringCategories::stringWithTrimmedWhitespace;

bool isSpaceOrTab(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string utf16(std::string_view text) {
    return foundation::utf16::toUTF16(text);
}

std::string utf8(std::u16string_view text) {
    return foundation::utf16::fromUTF16(text).value_or(std::string());
}

}  // namespace

StringList vcardValuesForFieldWithPrefix(const std::string& text8, const std::string& name8) {
    StringList values;
    const std::u16string text = utf16(text8);
    const std::u16string name = utf16(name8);
    const std::size_t length = text.size();
    if (length == 0 || name.empty()) {
        return values;
    }
    std::size_t position = 0;
    while (position < length) {
        std::size_t found = text.find(name, position);
        if (found == std::u16string::npos) {
            break;
        }
        if (found > 0 && text[found - 1] != u'\n') {
            position = found + 1;
            continue;
        }
        std::size_t afterName = found + name.size();
        if (afterName >= length) {
            break;
        }
        char16_t next = text[afterName];
        if (next != u':' && next != u';') {
            position = afterName;
            continue;
        }
        std::size_t colon = text.find(u':', afterName);
        if (colon == std::u16string::npos) {
            break;
        }
        bool quotedPrintable = false;
        std::string charset = "ASCII";
        if (next == u';') {
            auto metadata =
                parsedFieldMetadata(utf8(text.substr(afterName + 1, colon - afterName - 1)));
            auto encoding = metadata.find("ENCODING");
            quotedPrintable = encoding != metadata.end() && encoding->second == "QUOTED-PRINTABLE";
            auto named = metadata.find("CHARSET");
            if (named != metadata.end()) {
                charset = named->second;
            }
        }
        const std::size_t start = colon + 1;
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) {
            break;
        }
        while (true) {
            bool folded = end + 1 < length && isSpaceOrTab(text[end + 1]);
            bool softBreak = quotedPrintable && ((end >= 1 && text[end - 1] == u'=') ||
                                                 (end >= 2 && text[end - 2] == u'='));
            if (!folded && !softBreak) {
                break;
            }
            end = text.find(u'\n', end + 1);
            if (end == std::u16string::npos) {
                return values;
            }
        }
        if (end > start) {
            std::size_t valueEnd = text[end - 1] == u'\r' ? end - 1 : end;
            std::string raw = utf8(text.substr(start, valueEnd - start));
            if (quotedPrintable) {
                if (auto decoded = vcardStringFromQuotedPrintableWithCharset(raw, charset)) {
                    values.push_back(*decoded);
                }
            } else {
                values.push_back(vcardStringWithoutContinuationCRLF(raw));
            }
        }
        position = end + 1;
    }
    return values;
}

std::string vcardValueForFieldWithPrefix(const std::string& text, const std::string& name) {
    auto values = vcardValuesForFieldWithPrefix(text, name);
    return values.empty() ? std::string() : values.front();
}

std::size_t vcardIndexOf(const std::string& text, const std::string& literal, std::size_t start) {
    const std::u16string text16 = utf16(text);
    if (start > text16.size()) {
        return notFound;
    }
    std::size_t found = text16.find(utf16(literal), start);
    return found == std::u16string::npos ? notFound : found;
}

std::optional<std::string> vcardKeyComponent(const std::string& text) {
    std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
        return std::nullopt;
    }
    return text.substr(0, equals);
}

std::optional<std::string> vcardValueComponent(const std::string& text) {
    std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
        return std::nullopt;
    }
    return text.substr(equals + 1);
}

std::map<std::string, std::string> parsedFieldMetadata(const std::string& text) {
    std::map<std::string, std::string> metadata;
    for (const auto& piece :
         foundation::components(text, foundation::CharacterSet::fromCharacters(";:"))) {
        auto key = vcardKeyComponent(piece);
        auto value = vcardValueComponent(piece);
        if (key && value) {
            metadata[*key] = *value;
        }
    }
    return metadata;
}

std::string vcardStringWithoutContinuationCRLF(const std::string& text) {
    const std::u16string text16 = utf16(text);
    std::u16string kept;
    kept.reserve(text16.size());
    for (std::size_t i = 0; i < text16.size(); ++i) {
        char16_t c = text16[i];
        if (c == u'\r') {
            continue;
        }
        if (c == u'\n') {
            // The folded line's space or tab; a character outside the basic
            // plane goes whole.
            ++i;
            if (i + 1 < text16.size() && U16_IS_LEAD(text16[i]) && U16_IS_TRAIL(text16[i + 1])) {
                ++i;
            }
            continue;
        }
        kept.push_back(c);
    }
    return utf8(kept);
}

std::optional<std::string> vcardStringFromQuotedPrintableWithCharset(const std::string& text,
                                                                     const std::string& charset) {
    const std::u16string text16 = utf16(text);
    const std::size_t length = text16.size();
    foundation::Data bytes;
    bytes.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        char16_t c = text16[i];
        if (c == u'\r' || c == u'\n') {
            continue;
        }
        if (c != u'=') {
            bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
            continue;
        }
        if (i + 2 >= length) {
            continue;
        }
        char16_t first = text16[i + 1];
        if (first == u'\r' || first == u'\n') {
            continue;
        }
        if (auto value =
                foundation::scanHexInt(utf8(std::u16string_view(text16).substr(i + 1, 2)))) {
            bytes.push_back(static_cast<std::uint8_t>(*value & 0xFF));
        }
        i += 2;
    }
    return foundation::stringFromData(bytes, charset);
}

bool rangeIsDigits(const std::string& text, std::size_t location, std::size_t length) {
    const std::u16string text16 = utf16(text);
    if (location > text16.size() || length > text16.size() - location) {
        return false;
    }
    for (std::size_t i = location; i < location + length; ++i) {
        if (text16[i] < u'0' || text16[i] > u'9') {
            return false;
        }
    }
    return true;
}

bool isVCardDate(const std::string& text) {
    const std::u16string text16 = utf16(text);
    if (text16.size() == 8) {
        return rangeIsDigits(text, 0, 8);
    }
    return text16.size() == 10 && text16[4] == u'-' && text16[7] == u'-' &&
           rangeIsDigits(text, 0, 4) && rangeIsDigits(text, 5, 2) && rangeIsDigits(text, 8, 2);
}

StringList vcardArrayWithFormattedNames(const StringList& names) {
    static constexpr std::size_t order[] = {3, 1, 2, 0, 4};
    StringList formatted;
    formatted.reserve(names.size());
    for (const auto& name : names) {
        if (name.find(';') == std::string::npos) {
            formatted.push_back(stringWithTrimmedWhitespace(name));
            continue;
        }
        auto parts = foundation::components(name, ";");
        std::string joined;
        for (std::size_t index : order) {
            if (index < parts.size()) {
                joined += ' ' + parts[index];
            }
        }
        formatted.push_back(stringWithTrimmedWhitespace(joined));
    }
    return formatted;
}

StringList vcardArrayWithFormattedAddresses(const StringList& addresses) {
    StringList formatted;
    formatted.reserve(addresses.size());
    for (auto address : addresses) {
        for (char& c : address) {
            if (c == ';') {
                c = ' ';
            }
        }
        formatted.push_back(stringWithTrimmedWhitespace(address));
    }
    return formatted;
}

}  // namespace VCardFields
