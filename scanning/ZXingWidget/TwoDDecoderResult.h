#pragma once

// What a frame decoder found: the code's text, the points where the library
// located it (in the decoded subset's pixels), and the kind of code as the
// result parsers number it.

#include <string>
#include <vector>

#include "platform/graphics/Geometry.h"

struct TwoDDecoderResult {
    std::string text;
    std::vector<graphics::Point> points;
    // ResultParser's format number (0 when the kind does not matter to it).
    int format = 0;

    // "<TwoDDecoderResult: 0x...> text"
    std::string description() const;
};
