#pragma once

// Measures text with the deterministic metric of Font: single lines, and text
// wrapped into a width (words, else characters), as the platform's string
// sizing functions do. Sizes are rounded up to whole points.

#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/ui/Font.h"
#include "platform/ui/LineBreakMode.h"

namespace ui {

class TextMeasurement {
  public:
    // sizeWithFont: : one line, newlines ignored as breaks.
    static graphics::Size sizeWithFont(std::string_view text, const Font& font);
    // boundingRectWithSize: / sizeWithFont:constrainedToSize:lineBreakMode: :
    // text broken at newlines and wrapped to `constraint.width` (no limit when
    // 0), cut at `maxLines` (0: no limit) and at `constraint.height` (0: none).
    static graphics::Size boundingSize(std::string_view text, const Font& font,
                                       graphics::Size constraint,
                                       LineBreakMode mode = LineBreakMode::wordWrap,
                                       int maxLines = 0);
    // The characters of each paragraph: the text split at line and paragraph
    // separators.
    static std::vector<std::vector<char32_t>> paragraphs(std::string_view text);
    // The lines of the wrapped text, for drawing.
    static std::vector<std::string> wrapLines(std::string_view text, const Font& font, double width,
                                              LineBreakMode mode = LineBreakMode::wordWrap);
};

}  // namespace ui
