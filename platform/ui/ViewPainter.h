#pragma once

// Draws what one view shows over its background, by its kind: label and text
// view text (wrapped, cut with an ellipsis as their modes say), images in
// their content mode, buttons (background, image and title of their state),
// text fields, bars, table cell accessories, switches, activity indicators;
// then whatever the view draws itself (View::drawContent) over that.

#include <optional>

#include "platform/graphics/BitmapContext.h"
#include "platform/ui/BarPainter.h"
#include "platform/ui/View.h"

namespace ui {

class ViewPainter {
  public:
    // Draws the content of `view` in its bounds' coordinates.
    static void drawContent(graphics::BitmapContext& context, const View& view, double alpha,
                            const BarPainter::ViewDrawer& drawView);
    // Whether the painter drew `subview` as part of `view` already.
    static bool drawsSubview(const View& view, const View& subview);
    // Where an image of `image` size goes in `bounds` for a content mode.
    static graphics::Rect imageRect(ContentMode mode, graphics::Size image,
                                    const graphics::Rect& bounds);
    // Draws `image` scaled into `rect`; a template image in `tint`.
    static void drawImage(graphics::BitmapContext& context, const graphics::Image& image,
                          const graphics::Rect& rect, double alpha,
                          const std::optional<graphics::Color>& tint = std::nullopt);
};

}  // namespace ui
