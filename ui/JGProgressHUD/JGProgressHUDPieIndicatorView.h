#pragma once

// A progress indicator drawn as a pie filling clockwise from the top.
// Its drawing layer fills the view; setters hand their values to the layer.

#include <memory>
#include <optional>

#include "platform/graphics/Color.h"
#include "ui/JGProgressHUD/JGProgressHUDIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDPieIndicatorLayer.h"
#include "ui/JGProgressHUD/JGProgressHUDStyle.h"

class JGProgressHUDPieIndicatorView : public JGProgressHUDIndicatorView {
  public:
    explicit JGProgressHUDPieIndicatorView(Token token);

    // initWithContentView: (init without one: 50 by 50).
    static std::shared_ptr<JGProgressHUDPieIndicatorView> make(ui::View::Ptr contentView = nullptr);
    // initWithHUDStyle: : 50 by 50 in the style's colours.
    static std::shared_ptr<JGProgressHUDPieIndicatorView> makeWithHUDStyle(
        JGProgressHUDStyle style);

    std::string className() const override { return "JGProgressHUDPieIndicatorView"; }

    const std::shared_ptr<JGProgressHUDPieIndicatorLayer>& indicatorLayer() const {
        return indicatorLayer_;
    }

    const std::optional<graphics::Color>& color() const { return color_; }
    void setColor(std::optional<graphics::Color> color);
    const std::optional<graphics::Color>& fillColor() const { return fillColor_; }
    void setFillColor(std::optional<graphics::Color> color);

    // Moves the layer's progress within one transaction of 0.3 s when
    // animated, 0 otherwise.
    void setProgress(float progress, bool animated) override;
    using JGProgressHUDIndicatorView::setProgress;

    void setFrame(const graphics::Rect& frame) override;
    void setBounds(const graphics::Rect& bounds) override;

  private:
    void setUpLayer();

    std::shared_ptr<JGProgressHUDPieIndicatorLayer> indicatorLayer_;
    std::optional<graphics::Color> color_;
    std::optional<graphics::Color> fillColor_;
};
