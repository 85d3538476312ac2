#pragma once

// Draws a view tree into a picture as a person sees the screen: backgrounds,
// borders, what each view shows (see ViewPainter) and what the layers added
// to its layer draw themselves (under its subviews); for a window also the
// alerts and action sheets on screen over a dimmed screen. Text is laid out
// and drawn with a real font (with a fallback for scripts it lacks), so it
// fits the frames that layout gave the views.

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
