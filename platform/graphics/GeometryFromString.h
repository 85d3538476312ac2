#pragma once

// Reading the string forms of points, sizes and rectangles back ("{x, y}",
// "{w, h}", "{{x, y}, {w, h}}"), as the platform's CGPointFromString,
// CGSizeFromString and CGRectFromString do: the numbers are read in order;
// what cannot be read is 0.

#include <string_view>

#include "platform/graphics/Geometry.h"

namespace graphics {

Size sizeFromString(std::string_view text);
Point pointFromString(std::string_view text);
Rect rectFromString(std::string_view text);

}  // namespace graphics
