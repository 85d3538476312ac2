#pragma once

// A font for drawing text into a bitmap context: a family known to fontconfig
// (DejaVu Sans by default), a size in points and a weight.

#include <string>

#include "platform/graphics/Geometry.h"

namespace graphics {

struct Font {
    std::string family = "DejaVu Sans";
    double pointSize = 17;
    bool bold = false;

    static Font systemFontOfSize(double size) { return Font{"DejaVu Sans", size, false}; }
    static Font boldSystemFontOfSize(double size) { return Font{"DejaVu Sans", size, true}; }

    // The size of one line of `text` (UTF-8) drawn in this font: its advance
    // width and the font's line height.
    Size measure(const std::string& text) const;

    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace graphics
