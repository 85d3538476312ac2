#include "results/ArrayAndStringCategories.h"

#include "platform/foundation/StringUtilities.h"
#include "platform/foundation/UTF16.h"

namespace ArrayAndStringCategories {

namespace {

std::string utf8(std::u16string_view text) {
    return foundation::utf16::fromUTF16(text).value_or(std::string());
}

// Values of `prefix` closed by `terminator`, on UTF-16 text.
std::optional<StringList> fields16(const std::u16string& text, const std::u16string& prefix,
                                   const std::u16string& terminator) {
    std::optional<StringList> values;
    if (prefix.empty() || terminator.empty()) {
        return values;
    }
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t found = text.find(prefix, position);
        if (found == std::u16string::npos) {
            break;
        }
        std::size_t start = found + prefix.size();
        std::size_t end = start;
        while (true) {
            end = text.find(terminator, end);
            if (end == std::u16string::npos) {
                return values;
            }
            if (end > 0 && text[end - 1] == u'\\') {
                ++end;
                continue;
            }
            break;
        }
        if (!values) {
            values.emplace();
            values->reserve(1);
        }
        values->push_back(
            backslashUnescaped(utf8(std::u16string_view(text).substr(start, end - start))));
        position = end + terminator.size();
    }
    return values;
}

}  // namespace

std::optional<StringList> fieldsWithPrefix(const std::string& text, const std::string& prefix,
                                           const std::string& terminator) {
    return fields16(foundation::utf16::toUTF16(text), foundation::utf16::toUTF16(prefix),
                    foundation::utf16::toUTF16(terminator));
}

std::optional<std::string> fieldWithPrefix(const std::string& text, const std::string& prefix,
                                           const std::string& terminator) {
    auto values = fieldsWithPrefix(text, prefix, terminator);
    if (!values) {
        return std::nullopt;
    }
    return values->back();
}

std::string backslashUnescaped(const std::string& text) {
    if (text.find('\\') == std::string::npos) {
        return text;
    }
    // Working on UTF-8 keeps every character after a backslash whole: the
    // backslash is one byte and never part of another character's bytes.
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
            if (i == text.size()) {
                break;
            }
        }
        result.push_back(text[i]);
    }
    return result;
}

std::string stringWithTrimmedWhitespace(const std::string& text) {
    return foundation::trimWhitespaceAndNewlines(text);
}

std::optional<std::string> stringWithTrimmedWhitespace(const std::optional<std::string>& text) {
    if (!text) {
        return std::nullopt;
    }
    return stringWithTrimmedWhitespace(*text);
}

StringList stringArrayWithTrimmedWhitespace(const StringList& list) {
    StringList trimmed;
    trimmed.reserve(list.size());
    for (const auto& element : list) {
        trimmed.push_back(stringWithTrimmedWhitespace(element));
    }
    return trimmed;
}

std::optional<StringList> stringArrayWithTrimmedWhitespace(const std::optional<StringList>& list) {
    if (!list) {
        return std::nullopt;
    }
    return stringArrayWithTrimmedWhitespace(*list);
}

std::optional<StringList> arrayWithStringIfNotNil(const std::optional<std::string>& text) {
    if (!text) {
        return std::nullopt;
    }
    return StringList{*text};
}

}  // namespace ArrayAndStringCategories
