#pragma once

// A bar showing progress from 0 to 1 (values outside are clamped).

#include <algorithm>
#include <optional>

#include "platform/ui/View.h"

namespace ui {

enum class ProgressViewStyle { defaultStyle = 0, bar = 1 };

class ProgressView : public View {
  public:
    explicit ProgressView(ProgressViewStyle style = ProgressViewStyle::defaultStyle)
        : View(graphics::Rect(0, 0, 150, 2)), style_(style) {}

    ProgressViewStyle progressViewStyle() const { return style_; }
    double progress() const { return progress_; }
    void setProgress(double progress, bool animated = false) {
        progress_ = std::clamp(progress, 0.0, 1.0);
    }
    std::optional<graphics::Color> progressTintColor() const { return progressTint_; }
    void setProgressTintColor(std::optional<graphics::Color> color) { progressTint_ = color; }
    std::optional<graphics::Color> trackTintColor() const { return trackTint_; }
    void setTrackTintColor(std::optional<graphics::Color> color) { trackTint_ = color; }

    graphics::Size sizeThatFits(graphics::Size size) const override { return {size.width, 2}; }
    std::string outlineText() const override {
        return isHidden()
                   ? ""
                   : "Progress " + std::to_string(static_cast<int>(progress_ * 100 + 0.5)) + "%";
    }

  private:
    ProgressViewStyle style_;
    double progress_ = 0;
    std::optional<graphics::Color> progressTint_;
    std::optional<graphics::Color> trackTint_;
};

}  // namespace ui
