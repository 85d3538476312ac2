#pragma once

// A spinning wheel: large white (37 points), white or grey (20 points); hidden
// while stopped unless told otherwise.

#include <optional>

#include "platform/ui/View.h"

namespace ui {

enum class ActivityIndicatorViewStyle { whiteLarge = 0, white = 1, gray = 2 };

class ActivityIndicatorView : public View {
  public:
    explicit ActivityIndicatorView(
        ActivityIndicatorViewStyle style = ActivityIndicatorViewStyle::white);

    ActivityIndicatorViewStyle style() const { return style_; }
    void setStyle(ActivityIndicatorViewStyle style);
    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return animating_; }
    bool hidesWhenStopped() const { return hidesWhenStopped_; }
    void setHidesWhenStopped(bool hides);
    std::optional<graphics::Color> color() const { return color_; }
    void setColor(std::optional<graphics::Color> color) { color_ = color; }

    graphics::Size sizeThatFits(graphics::Size) const override;
    std::string outlineText() const override { return isHidden() ? "" : "ActivityIndicator"; }

  private:
    ActivityIndicatorViewStyle style_;
    bool animating_ = false;
    bool hidesWhenStopped_ = true;
    std::optional<graphics::Color> color_;
};

}  // namespace ui
