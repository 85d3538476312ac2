#pragma once

// A progress indicator drawn as a pie filling clockwise from the top.
// Its drawing layer fills the view; setters hand their values to the layer.

#include <memory>
#include <optional>
#include <string>

#include "platform/graphics/Color.h"
#include "ui/JGProgressHUD/JGProgressHUDLayerIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDPieIndicatorLayer.h"
#include "ui/JGProgressHUD/JGProgressHUDStyle.h"

class JGProgressHUDPieIndicatorView
    : public JGProgressHUDLayerIndicatorView<JGProgressHUDPieIndicatorLayer> {
  public:
    explicit JGProgressHUDPieIndicatorView(Token token);

    // initWithContentView: (init without one: 50 by 50).
    static std::shared_ptr<JGProgressHUDPieIndicatorView> make(ui::View::Ptr contentView = nullptr);
    // initWithHUDStyle: : 50 by 50 in the style's colours.
    static std::shared_ptr<JGProgressHUDPieIndicatorView> makeWithHUDStyle(
        JGProgressHUDStyle style);

    std::string className() const override { return "JGProgressHUDPieIndicatorView"; }

    const std::optional<graphics::Color>& color() const { return color_; }
    void setColor(std::optional<graphics::Color> color);
    const std::optional<graphics::Color>& fillColor() const { return fillColor_; }
    void setFillColor(std::optional<graphics::Color> color);

  private:
    std::optional<graphics::Color> color_;
    std::optional<graphics::Color> fillColor_;
};
