#pragma once

// Prefixed fields of code texts ("N:Doe;TEL:123;"), backslash unescaping and the
// trimming helpers the result parsers share. Positions count UTF-16 units.

#include <optional>
#include <string>
#include <vector>

namespace ArrayAndStringCategories {

using StringList = std::vector<std::string>;

// Every value that follows `prefix` and ends at a `terminator` not preceded by a
// backslash, in text order and unescaped; nullopt when there is none. A value
// without a closing terminator is not returned.
std::optional<StringList> fieldsWithPrefix(const std::string& text, const std::string& prefix,
                                           const std::string& terminator = ";");
// The last of those values, or nullopt.
std::optional<std::string> fieldWithPrefix(const std::string& text, const std::string& prefix,
                                           const std::string& terminator = ";");

// Drops each backslash and keeps the character after it as it is; a trailing
// lone backslash is dropped.
std::string backslashUnescaped(const std::string& text);

// The text without white space and line breaks at both ends.
std::string stringWithTrimmedWhitespace(const std::string& text);
std::optional<std::string> stringWithTrimmedWhitespace(const std::optional<std::string>& text);
inline std::string stringWithTrimmedWhitespace(const char* text) {
    return stringWithTrimmedWhitespace(std::string(text));
}
// Each element trimmed as above, same order.
StringList stringArrayWithTrimmedWhitespace(const StringList& list);
std::optional<StringList> stringArrayWithTrimmedWhitespace(const std::optional<StringList>& list);

// A one-element list of the string, or nullopt when it is absent.
std::optional<StringList> arrayWithStringIfNotNil(const std::optional<std::string>& text);

}  // namespace ArrayAndStringCategories
