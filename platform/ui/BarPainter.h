#pragma once

// Draws navigation bars (back button, left items, centred title or title view,
// right items) and toolbars (items spread by their flexible spaces) as a
// person sees them: bar items are not views, so the painter lays them out.

#include <functional>

#include "platform/graphics/BitmapContext.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/Toolbar.h"

namespace ui {

class BarPainter {
  public:
    // Draws a custom view of an item into a rectangle of the bar.
    using ViewDrawer = std::function<void(const View& view, const graphics::Rect& rect)>;

    static void drawNavigationBar(graphics::BitmapContext& context, const NavigationBar& bar,
                                  const ViewDrawer& drawView);
    static void drawToolbar(graphics::BitmapContext& context, const Toolbar& bar,
                            const ViewDrawer& drawView);
    // The width an item takes in a bar (0 for a flexible space).
    static double itemWidth(const BarButtonItem& item);
};

}  // namespace ui
