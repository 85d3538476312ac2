#pragma once

// A box the painter laid out for a visible part of a page: an element's box
// (its border-box frame in page coordinates, borders, background colour and
// image, replaced image), or a run of text on one line; children are painted
// after their parent, in order. `element` traces the box back to its element:
// its index in its document's element order, after the indices of the frame
// elements that hold the document (empty for the page's canvas).

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Image.h"

namespace web {

struct LayoutBox {
    graphics::Rect frame;
    // Top, right, bottom, left.
    std::array<double, 4> border{0, 0, 0, 0};
    graphics::Color borderColor = graphics::Color::blackColor();
    std::optional<graphics::Color> background;
    // Drawn once at its natural size from the box's top left, clipped to it.
    graphics::Image::Ptr backgroundImage;
    // A replaced image, drawn into `content`.
    graphics::Image::Ptr image;
    graphics::Rect content;
    // A canvas element's drawing, the painter's `image` once it is read.
    int canvas = 0;
    // A text run: drawn from the frame's top left in `font` and `color`.
    std::string text;
    graphics::Font font;
    graphics::Color color = graphics::Color::blackColor();
    double opacity = 1;
    // Whether children are clipped to the frame.
    bool clips = false;
    // Laid out but not drawn (visibility: hidden); its children may be drawn.
    bool hidden = false;
    std::vector<int> element;
    std::vector<LayoutBox> children;

    // Moves the box and everything in it.
    void offsetBy(double dx, double dy);
};

}  // namespace web
