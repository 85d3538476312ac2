#pragma once

// Draws a view tree into a picture, for a person who wants to look at a
// screen: background colours, borders, images, label, button and field texts
// and table rows, at the screen's scale or one given. Text uses a real font;
// layout uses the deterministic metric, so glyphs may not fill their boxes.

#include <string>

#include "platform/foundation/Data.h"
#include "platform/graphics/Image.h"

namespace ui {

class View;

class ScreenRenderer {
  public:
    // nullptr for a view without area.
    static graphics::Image::Ptr render(const View& view, double scale = 1);
    // PNG bytes of render(); nullopt when nothing could be drawn.
    static std::optional<foundation::Data> renderPNG(const View& view, double scale = 1);
    // Writes the PNG to `path`; false when drawing or writing failed.
    static bool writePNG(const View& view, const std::string& path, double scale = 1);
};

}  // namespace ui
