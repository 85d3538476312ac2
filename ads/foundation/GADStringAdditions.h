#pragma once

// The ad component's string helpers: query-value escaping, URL comparison,
// "@" escaping, short number texts, MD5 texts and JSON decoding. Request
// parameters and ping URLs are built from these byte for byte.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/Error.h"
#include "platform/foundation/Value.h"

// The text a value stands for in URLs and templates (its description): a
// string is itself, a number its decimal text, containers their description.
std::string GADDescriptionOfValue(const foundation::Value& value);

namespace GADURLEncoding {
// Percent-escapes every byte of the UTF-8 text except ASCII letters, digits
// and "-", "_", ".", "~" (two upper-case hex digits per byte).
std::string gad_stringByEscapingAsURLParameter(std::string_view text);
}  // namespace GADURLEncoding

namespace GADReplaceContent {
// The text without its last character when that is "/"; only one is removed.
std::string gad_stripTrailingSlash(std::string_view text);
}  // namespace GADReplaceContent

namespace GADPathValidation {
// Both texts, each with one trailing "/" removed, are equal.
bool gad_isEquivalentToURLString(std::string_view text, std::string_view other);
}  // namespace GADPathValidation

namespace GADAtEscapeAdditions {
// Every "@" doubled.
std::string gad_escapeAts(std::string_view text);
}  // namespace GADAtEscapeAdditions

namespace GADStringNumberAdditions {
// "%f" of the value with trailing zeros, and then a trailing ".", removed:
// 320.0 -> "320", 1.25 -> "1.25", 2.0000004 -> "2".
std::string gad_shortStringWithCGFloat(double value);
// 32 lower-case hex digits of the MD5 digest of the text's bytes up to the
// first NUL; nullopt when the text is not valid UTF-8.
std::optional<std::string> gad_MD5String(std::string_view text);
// The 16 bytes as 32 lower-case hex digits.
std::string gad_stringWithMD5Bytes(const std::uint8_t* bytes);
}  // namespace GADStringNumberAdditions

namespace GADJSONAdditions {
// The JSON value of the text (a bare string or number is accepted); nullopt
// and the parser's error when it does not parse.
std::optional<foundation::Value> gad_decodedJSONObjectError(std::string_view text,
                                                            foundation::Error* error = nullptr);
}  // namespace GADJSONAdditions
