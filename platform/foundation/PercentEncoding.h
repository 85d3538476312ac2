#pragma once

// Percent escaping of UTF-8 text for URLs, and percent decoding.

#include <optional>
#include <string>
#include <string_view>

namespace foundation {

// The platform's legacy escaping (adding percent escapes with UTF-8): escapes
// controls, space, DEL, the characters " % < > \ ^ ` { | } and every non-ASCII
// byte; leaves letters, digits and the URL characters ! # $ & ' ( ) * + , - . /
// : ; = ? @ [ ] _ ~ alone, so a value appended to a link template can still
// carry its own query. Characters in `alsoEscape` are escaped as well.
std::string addingPercentEscapes(std::string_view text, std::string_view alsoEscape = "");

// Escapes everything except the unreserved characters A-Z a-z 0-9 - . _ ~
// (form and query values, signatures).
std::string addingPercentEncodingForAll(std::string_view text);

// Replaces %XX escapes by their bytes; nullopt when an escape is malformed or
// the result is not valid UTF-8. "+" stays "+".
std::optional<std::string> removingPercentEncoding(std::string_view text);

}  // namespace foundation
