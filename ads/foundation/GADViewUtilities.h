#pragma once

// A one-shot report of where a view sits on a screen and whether it shows.

#include <memory>
#include <optional>

#include "platform/foundation/Value.h"
#include "platform/ui/Screen.h"
#include "platform/ui/View.h"

class GADViewUtilities {
  public:
    // positionOfView:inScreen: : {"x", "y", "width", "height" (the view's
    // frame in screen coordinates, single precision), "visible"}; nullopt
    // for a view without a superview or a window. Visible: not hidden, its
    // right and bottom edges past 0, its origin within the screen's
    // application frame.
    static std::optional<foundation::Dictionary> positionOfView(
        const std::shared_ptr<ui::View>& view, const ui::Screen& screen);
};
