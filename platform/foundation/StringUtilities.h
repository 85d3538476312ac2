#pragma once

// Helpers for UTF-8 std::string text that the platform's string class offers:
// trimming and splitting by character sets, case mapping and folding (ICU),
// case-insensitive search and comparison, replacing, hex scanning and
// conversion from other character encodings.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/CharacterSet.h"
#include "platform/foundation/Data.h"

namespace foundation {

std::string trim(std::string_view text, const CharacterSet& set);
std::string trimWhitespaceAndNewlines(std::string_view text);

// Pieces between occurrences of the separator (empty pieces kept); an empty
// separator gives the whole text.
std::vector<std::string> components(std::string_view text, std::string_view separator);
// Pieces between characters of the set (empty pieces kept).
std::vector<std::string> components(std::string_view text, const CharacterSet& separators);
std::string join(const std::vector<std::string>& pieces, std::string_view separator);

std::string replaceAll(std::string_view text, std::string_view target,
                       std::string_view replacement);

// Full Unicode case mapping (locale independent) and case folding.
std::string lowercase(std::string_view text);
std::string uppercase(std::string_view text);
std::string caseFold(std::string_view text);

// <0, 0 or >0 comparing the case-folded texts.
int caseInsensitiveCompare(std::string_view a, std::string_view b);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool hasPrefixIgnoringCase(std::string_view text, std::string_view prefix);

// Byte offset of the first occurrence at or after `from`; nullopt when absent.
std::optional<std::size_t> find(std::string_view text, std::string_view needle,
                                std::size_t from = 0);
std::optional<std::size_t> findIgnoringCase(std::string_view text, std::string_view needle,
                                            std::size_t from = 0);

// Reads a hexadecimal number as the platform's scanner does: leading white
// space and an optional "0x" skipped, at least one hex digit required.
std::optional<std::uint32_t> scanHexInt(std::string_view text);
// Reads a decimal integer as the platform's scanner does: leading white
// space and an optional sign skipped, at least one digit required; saturated
// at the 64-bit limits.
std::optional<std::int64_t> scanInteger(std::string_view text);

// Bytes as UTF-8 text; nullopt when they are not valid UTF-8.
std::optional<std::string> stringFromUTF8(const Data& data);
// Bytes in a named character encoding (IANA name such as "ISO-8859-1",
// "Shift_JIS", "UTF-16BE") as UTF-8; nullopt for an unknown encoding or bytes
// invalid in it.
std::optional<std::string> stringFromData(const Data& data, std::string_view charset);
// UTF-8 text in a named encoding; nullopt when the encoding is unknown or
// cannot represent the text.
std::optional<Data> dataFromString(std::string_view text, std::string_view charset);
bool isKnownCharset(std::string_view charset);

}  // namespace foundation
