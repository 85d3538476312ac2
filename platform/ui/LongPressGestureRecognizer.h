#pragma once

// Recognizes a press held for the minimum duration (0.5 s) without moving
// more than the allowable movement (10 points); it then changes while the
// finger moves and ends when it lifts. The duration runs on the main run loop.

#include <memory>

#include "platform/foundation/Timer.h"
#include "platform/ui/GestureRecognizer.h"

namespace ui {

class LongPressGestureRecognizer : public GestureRecognizer {
  public:
    using GestureRecognizer::GestureRecognizer;
    ~LongPressGestureRecognizer() override;

    double minimumPressDuration() const { return minimumPressDuration_; }
    void setMinimumPressDuration(double seconds) { minimumPressDuration_ = seconds; }
    int numberOfTouchesRequired() const { return touchesRequired_; }
    void setNumberOfTouchesRequired(int touches) { touchesRequired_ = touches; }
    double allowableMovement() const { return allowableMovement_; }
    void setAllowableMovement(double points) { allowableMovement_ = points; }

    void touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void touchesMoved(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void reset() override;

  private:
    void cancelTimer();

    double minimumPressDuration_ = 0.5;
    int touchesRequired_ = 1;
    double allowableMovement_ = 10;
    graphics::Point start_;
    std::shared_ptr<foundation::Timer> timer_;
};

}  // namespace ui
