#pragma once

// A compiled ICU regular expression with its matcher: find the next match in
// a text, match a whole text, read groups of the last match. The text given
// to find/matches is kept by the object until reset or the next text.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct URegularExpression;

class URegex {
  public:
    // nullptr when the pattern does not compile. Case-sensitive, no flags.
    static std::unique_ptr<URegex> make(const std::string& pattern);
    ~URegex();
    URegex(const URegex&) = delete;
    URegex& operator=(const URegex&) = delete;

    // Sets the text and searches for the next match.
    bool find(const std::string& text);
    // Sets the text and asks whether the whole text matches.
    bool matches(const std::string& text);
    // The text of a group of the last match; nullopt on failure. A group that
    // took no part in the match answers "".
    std::optional<std::string> group(std::int64_t number);
    std::int32_t groupCount();
    // Back to the start, with no text attached.
    void reset();

  private:
    explicit URegex(URegularExpression* regex) : regex_(regex) {}
    bool setText(const std::string& text);

    URegularExpression* regex_;
    std::u16string text_;
};
