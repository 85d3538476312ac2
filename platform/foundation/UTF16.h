#pragma once

// Positions and lengths of UTF-8 text in UTF-16 units, as the platform's
// strings count them (an emoji outside the basic plane counts 2), and
// conversions between the two encodings (ICU).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace foundation::utf16 {

bool isValidUTF8(std::string_view text);

// Number of UTF-16 units of the text; invalid bytes count one unit each.
std::size_t length(std::string_view text);

// The UTF-16 unit at a position; nullopt past the end.
std::optional<char16_t> characterAt(std::string_view text, std::size_t index);

// Byte offset of a UTF-16 position, clamped to the end. A position inside a
// surrogate pair answers the offset of that character.
std::size_t byteOffset(std::string_view text, std::size_t index);

// The text of the UTF-16 range [location, location + count), clamped to the
// text; a cut through a surrogate pair keeps the whole character.
std::string substring(std::string_view text, std::size_t location,
                      std::size_t count = std::string::npos);

// The text with the UTF-16 range [location, location + count) replaced, as
// editing a selection does; nullopt when the range does not lie within the
// text.
std::optional<std::string> replacing(std::string_view text, std::size_t location, std::size_t count,
                                     std::string_view replacement);

std::u16string toUTF16(std::string_view text);
// nullopt for unpaired surrogates.
std::optional<std::string> fromUTF16(std::u16string_view text);

}  // namespace foundation::utf16
