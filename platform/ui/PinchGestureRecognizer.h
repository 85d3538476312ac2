#pragma once

// Recognizes two fingers moving apart or together: the scale is the distance
// between them over the distance when the second one went down.

#include "platform/ui/GestureRecognizer.h"

namespace ui {

class PinchGestureRecognizer : public GestureRecognizer {
  public:
    using GestureRecognizer::GestureRecognizer;

    double scale() const { return scale_; }
    void setScale(double scale) { scale_ = scale; }
    double velocity() const { return velocity_; }

    void touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void touchesMoved(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void reset() override;

  private:
    double spread() const;

    double scale_ = 1;
    double velocity_ = 0;
    double initial_ = 0;
    double lastTime_ = 0;
};

}  // namespace ui
