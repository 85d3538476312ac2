#pragma once

// Draws a pie: a circle outline, optionally filled, and a solid wedge from the
// top, clockwise, for the progress.

#include <optional>
#include <string_view>

#include "platform/graphics/Color.h"
#include "ui/JGProgressHUD/JGProgressHUDIndicatorLayer.h"

class JGProgressHUDPieIndicatorLayer : public JGProgressHUDIndicatorLayer {
  public:
    // needsDisplayForKey: : "progress", "color" and "fillColor".
    static bool needsDisplayForKey(std::string_view key);

    const std::optional<graphics::Color>& color() const { return color_; }
    void setColor(std::optional<graphics::Color> color);
    const std::optional<graphics::Color>& fillColor() const { return fillColor_; }
    void setFillColor(std::optional<graphics::Color> color);

  protected:
    bool displaysKey(std::string_view key) const override { return needsDisplayForKey(key); }
    void draw(graphics::BitmapContext& context) const override;

  private:
    std::optional<graphics::Color> color_;
    std::optional<graphics::Color> fillColor_;
};
