#pragma once

// A set of Unicode code points, for trimming, splitting and validation, with
// the platform's predefined sets (ICU character properties).

#include <functional>
#include <string_view>

namespace foundation {

class CharacterSet {
  public:
    explicit CharacterSet(std::function<bool(char32_t)> contains)
        : contains_(std::move(contains)) {}

    // Space separators (Zs) and tab.
    static CharacterSet whitespace();
    // whitespace plus LF, CR, VT, FF, NEL, U+2028 and U+2029.
    static CharacterSet whitespaceAndNewline();
    static CharacterSet newline();
    // Letters, marks and digits of all scripts.
    static CharacterSet alphanumeric();
    static CharacterSet letters();
    static CharacterSet decimalDigits();
    // Exactly the characters of the (UTF-8) text.
    static CharacterSet fromCharacters(std::string_view characters);

    bool contains(char32_t c) const { return contains_(c); }
    CharacterSet inverted() const;
    CharacterSet united(const CharacterSet& other) const;

  private:
    std::function<bool(char32_t)> contains_;
};

}  // namespace foundation
