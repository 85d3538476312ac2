#pragma once

// Draws a ring: a background circle and, for the progress, an arc from the
// top, clockwise, with round or square ends.

#include <optional>
#include <string_view>

#include "platform/graphics/Color.h"
#include "ui/JGProgressHUD/JGProgressHUDIndicatorLayer.h"

class JGProgressHUDRingIndicatorLayer : public JGProgressHUDIndicatorLayer {
  public:
    // needsDisplayForKey: : "progress", "ringColor", "ringBackgroundColor",
    // "roundProgressLine" and "ringWidth".
    static bool needsDisplayForKey(std::string_view key);

    const std::optional<graphics::Color>& ringColor() const { return ringColor_; }
    void setRingColor(std::optional<graphics::Color> color);
    const std::optional<graphics::Color>& ringBackgroundColor() const {
        return ringBackgroundColor_;
    }
    void setRingBackgroundColor(std::optional<graphics::Color> color);
    bool roundProgressLine() const { return roundProgressLine_; }
    void setRoundProgressLine(bool round);
    double ringWidth() const { return ringWidth_; }
    void setRingWidth(double width);

  protected:
    bool displaysKey(std::string_view key) const override { return needsDisplayForKey(key); }
    void draw(graphics::BitmapContext& context) const override;

  private:
    std::optional<graphics::Color> ringColor_;
    std::optional<graphics::Color> ringBackgroundColor_;
    bool roundProgressLine_ = false;
    double ringWidth_ = 0;
};
