#pragma once

// Splits text into runs drawn with one font each: the font asked for where it
// has the glyph, else a fallback family that covers Chinese, Japanese and
// Korean (installed with the other dependencies), so such text is not drawn
// as boxes.

#include <string>
#include <vector>

#include "platform/graphics/Font.h"

namespace graphics {

struct FontRun {
    std::string text;
    Font font;
};

class FontRuns {
  public:
    static constexpr const char* kFallbackFamily = "Droid Sans Fallback";

    // `text` with every byte that is not part of valid UTF-8 replaced by "?".
    static std::string sanitized(const std::string& text);
    // The sanitized text in runs, in order; characters neither font has stay
    // with the font asked for.
    static std::vector<FontRun> split(const std::string& text, const Font& font);
    // The advance width of the text drawn in runs, and the line height of
    // `font`; zero for a font without size (and zero wide for text that is
    // not valid UTF-8).
    static Size measure(const std::string& text, const Font& font);
    // Whether fontconfig gives `font` a glyph for `c`.
    static bool hasGlyph(const Font& font, char32_t c);
};

}  // namespace graphics
