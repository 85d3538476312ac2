#pragma once

// One finger on the screen, as synthetic touches report it: where it is in
// the window, where it was, its phase and the view it began in.

#include <memory>

#include "platform/graphics/Geometry.h"

namespace ui {

class View;
class Window;

enum class TouchPhase { began = 0, moved = 1, stationary = 2, ended = 3, cancelled = 4 };

class Touch {
  public:
    TouchPhase phase = TouchPhase::began;
    int tapCount = 1;
    // Monotonic seconds of the last change.
    double timestamp = 0;
    graphics::Point windowLocation;
    graphics::Point previousWindowLocation;
    std::weak_ptr<View> view;
    std::weak_ptr<Window> window;

    // The location in `view`'s coordinates; window coordinates for nullptr.
    graphics::Point locationInView(const View* view) const;
    graphics::Point previousLocationInView(const View* view) const;
};

}  // namespace ui
