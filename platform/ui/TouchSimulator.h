#pragma once

// Synthetic fingers on a window: touches begin where the window's hit test
// finds a view, and go to the gesture recognizers of that view and its
// ancestors, then to the view itself (unless a recognizer that cancels touches
// took the gesture). Taps, drags, pinches and long presses are built from
// begin, move and end; time passes only as the clock is advanced.

#include <memory>
#include <vector>

#include "platform/graphics/Geometry.h"
#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/Touch.h"
#include "platform/ui/Window.h"

namespace ui {

class TouchSimulator {
  public:
    explicit TouchSimulator(std::shared_ptr<Window> window) : window_(std::move(window)) {}

    // Puts fingers down at window points; answers the view they hit.
    View::Ptr begin(const std::vector<graphics::Point>& points, int tapCount = 1);
    void move(const std::vector<graphics::Point>& points);
    void end();
    void cancel();

    // One finger down and up at `point`, `taps` times.
    static void tap(const std::shared_ptr<Window>& window, graphics::Point point, int taps = 1);
    // One finger from `from` to `to` in `steps` moves.
    static void drag(const std::shared_ptr<Window>& window, graphics::Point from,
                     graphics::Point to, int steps = 5);
    // Two fingers about `center`, spread from `startSpread` points apart by
    // `scale`, in `steps` moves.
    static void pinch(const std::shared_ptr<Window>& window, graphics::Point center,
                      double startSpread, double scale, int steps = 5);

  private:
    enum class Phase { began, moved, ended, cancelled };
    void deliver(Phase phase);

    std::shared_ptr<Window> window_;
    std::vector<std::shared_ptr<Touch>> touches_;
    std::shared_ptr<View> view_;
    std::vector<GestureRecognizer::Ptr> recognizers_;
    bool viewCancelled_ = false;
};

}  // namespace ui
