#pragma once

// Drawing a string into a rectangle of the current drawing context
// (drawInRect:withFont:lineBreakMode:alignment:): wrapped to the width by
// the line-break mode, cut at the rectangle's height, each line aligned, in
// the context's fill colour, measured with the deterministic font metric.

#include <string_view>

#include "platform/graphics/Geometry.h"
#include "platform/ui/Font.h"
#include "platform/ui/LineBreakMode.h"

namespace ui {

// Answers the size taken; draws nothing without a current context.
graphics::Size drawStringInRect(std::string_view text, const graphics::Rect& rect, const Font& font,
                                LineBreakMode mode = LineBreakMode::wordWrap,
                                TextAlignment alignment = TextAlignment::left);

}  // namespace ui
