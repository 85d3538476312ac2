#pragma once

// Recognizes a quick stroke of at least 50 points in one of the permitted
// directions, mostly along that direction, when the finger lifts.

#include "platform/ui/GestureRecognizer.h"

namespace ui {

struct SwipeDirection {
    static constexpr unsigned right = 1 << 0;
    static constexpr unsigned left = 1 << 1;
    static constexpr unsigned up = 1 << 2;
    static constexpr unsigned down = 1 << 3;
};

class SwipeGestureRecognizer : public GestureRecognizer {
  public:
    using GestureRecognizer::GestureRecognizer;

    unsigned direction() const { return direction_; }
    void setDirection(unsigned direction) { direction_ = direction; }
    int numberOfTouchesRequired() const { return touchesRequired_; }
    void setNumberOfTouchesRequired(int touches) { touchesRequired_ = touches; }

    void touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;

  private:
    unsigned direction_ = SwipeDirection::right;
    int touchesRequired_ = 1;
    graphics::Point start_;
};

}  // namespace ui
