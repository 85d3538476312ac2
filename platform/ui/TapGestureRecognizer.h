#pragma once

// Recognizes taps: the required number of fingers going down and up without
// moving more than 10 points, the required number of times.

#include "platform/ui/GestureRecognizer.h"

namespace ui {

class TapGestureRecognizer : public GestureRecognizer {
  public:
    using GestureRecognizer::GestureRecognizer;

    int numberOfTapsRequired() const { return taps_; }
    void setNumberOfTapsRequired(int taps) { taps_ = taps; }
    int numberOfTouchesRequired() const { return touchesRequired_; }
    void setNumberOfTouchesRequired(int touches) { touchesRequired_ = touches; }

    void touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void touchesMoved(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void reset() override;

  private:
    int taps_ = 1;
    int touchesRequired_ = 1;
    std::size_t maxTouches_ = 0;
    graphics::Point start_;
};

}  // namespace ui
