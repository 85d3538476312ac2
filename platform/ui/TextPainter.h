#pragma once

// Lays text out for drawing with the real font it is drawn in: lines broken at
// newlines and wrapped at a width (between words, else between characters),
// cut to a number of lines, and the last line shortened with an ellipsis where
// the line-break mode truncates; then draws the lines into a rectangle.

#include <string>
#include <vector>

#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/Font.h"
#include "platform/ui/Font.h"
#include "platform/ui/LineBreakMode.h"

namespace ui {

struct TextStyle {
    Font font = Font::systemFontOfSize(17);
    graphics::Color color = graphics::Color::blackColor();
    TextAlignment alignment = TextAlignment::left;
    LineBreakMode lineBreakMode = LineBreakMode::truncateTail;
    // 0: as many as fit the height.
    int maxLines = 1;
    // Centred vertically in the rectangle, else from its top.
    bool centerVertically = true;
};

class TextPainter {
  public:
    // The cairo font a layer font is drawn with.
    static graphics::Font drawingFont(const Font& font);
    // `line` shortened to `width` with "…" at its head, middle or tail as the
    // mode says; other modes answer it as it is.
    static std::string truncate(const std::string& line, const graphics::Font& font, double width,
                                LineBreakMode mode);
    // The lines drawn for `text` in a box `width` x `height` (0: no limit).
    static std::vector<std::string> lines(const std::string& text, const TextStyle& style,
                                          double width, double height);
    // Draws the lines inside `rect`.
    static void draw(graphics::BitmapContext& context, const std::string& text,
                     const graphics::Rect& rect, const TextStyle& style);
};

}  // namespace ui
