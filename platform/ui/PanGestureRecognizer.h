#pragma once

// Recognizes fingers dragging more than 10 points; reports the translation of
// their centroid since the start and its velocity, in a view's coordinates.

#include <limits>

#include "platform/ui/GestureRecognizer.h"

namespace ui {

class PanGestureRecognizer : public GestureRecognizer {
  public:
    using GestureRecognizer::GestureRecognizer;

    int minimumNumberOfTouches() const { return minimumTouches_; }
    void setMinimumNumberOfTouches(int touches) { minimumTouches_ = touches; }
    int maximumNumberOfTouches() const { return maximumTouches_; }
    void setMaximumNumberOfTouches(int touches) { maximumTouches_ = touches; }

    // Window coordinates for nullptr.
    graphics::Point translationInView(const View* view) const;
    void setTranslation(graphics::Point translation, const View* view);
    graphics::Point velocityInView(const View* view) const;

    void touchesBegan(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void touchesMoved(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches,
                      const Event& event) override;
    void reset() override;

  private:
    int minimumTouches_ = 1;
    int maximumTouches_ = std::numeric_limits<int>::max();
    graphics::Point origin_;
    graphics::Point last_;
    double lastTime_ = 0;
    graphics::Point velocity_;
};

}  // namespace ui
