#pragma once

// The vCard reader: values of a field's lines ("TEL;TYPE=cell:123"), with
// parameters, quoted-printable values and folded lines, and the formatting of
// structured names and addresses. Positions count UTF-16 units.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace VCardFields {

using StringList = std::vector<std::string>;

inline constexpr std::size_t notFound = static_cast<std::size_t>(-1);

// The decoded values of every line of the field `name`, possibly empty.
StringList vcardValuesForFieldWithPrefix(const std::string& text, const std::string& name);
// The first of those values, or "" when there is none.
std::string vcardValueForFieldWithPrefix(const std::string& text, const std::string& name);

// Position of `literal` at or after `start` (case-sensitive), or notFound.
std::size_t vcardIndexOf(const std::string& text, const std::string& literal, std::size_t start);

// The text before / after the first "=", or nullopt without "=".
std::optional<std::string> vcardKeyComponent(const std::string& text);
std::optional<std::string> vcardValueComponent(const std::string& text);
// Parameter name to value of "TYPE=cell;ENCODING=QUOTED-PRINTABLE"; a later key
// replaces an earlier one, pieces without "=" are skipped.
std::map<std::string, std::string> parsedFieldMetadata(const std::string& text);

// The value with carriage returns dropped and each line feed dropped together
// with the character after it (the space or tab of a folded line).
std::string vcardStringWithoutContinuationCRLF(const std::string& text);
// The quoted-printable value decoded in the character set named by an IANA name;
// nullopt when the set is unknown or the bytes are not valid in it.
std::optional<std::string> vcardStringFromQuotedPrintableWithCharset(const std::string& text,
                                                                     const std::string& charset);

// True when every character of [location, location + length) is an ASCII digit
// (an empty range is true); false for a range outside the text.
bool rangeIsDigits(const std::string& text, std::size_t location, std::size_t length);
// Eight ASCII digits, or "yyyy-mm-dd" in ASCII digits.
bool isVCardDate(const std::string& text);

// Each structured name "family;given;additional;prefix;suffix" as
// "prefix given additional family suffix", trimmed.
StringList vcardArrayWithFormattedNames(const StringList& names);
// Each address with every ";" replaced by a space, trimmed.
StringList vcardArrayWithFormattedAddresses(const StringList& addresses);

}  // namespace VCardFields
