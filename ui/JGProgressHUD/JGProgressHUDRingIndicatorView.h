#pragma once

// A progress indicator drawn as a ring closing clockwise from the top.
// Its drawing layer fills the view; setters hand their values to the layer.

#include <memory>
#include <optional>

#include "platform/graphics/Color.h"
#include "ui/JGProgressHUD/JGProgressHUDIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDRingIndicatorLayer.h"
#include "ui/JGProgressHUD/JGProgressHUDStyle.h"

class JGProgressHUDRingIndicatorView : public JGProgressHUDIndicatorView {
  public:
    explicit JGProgressHUDRingIndicatorView(Token token);

    // initWithContentView: (init without one: 50 by 50).
    static std::shared_ptr<JGProgressHUDRingIndicatorView> make(
        ui::View::Ptr contentView = nullptr);
    // initWithHUDStyle: : 50 by 50 in the style's colours.
    static std::shared_ptr<JGProgressHUDRingIndicatorView> makeWithHUDStyle(
        JGProgressHUDStyle style);

    std::string className() const override { return "JGProgressHUDRingIndicatorView"; }

    const std::shared_ptr<JGProgressHUDRingIndicatorLayer>& indicatorLayer() const {
        return indicatorLayer_;
    }

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

    // Moves the layer's progress within one transaction of 0.3 s when
    // animated, 0 otherwise.
    void setProgress(float progress, bool animated) override;
    using JGProgressHUDIndicatorView::setProgress;

    void setFrame(const graphics::Rect& frame) override;
    void setBounds(const graphics::Rect& bounds) override;

  private:
    void setUpLayer();

    std::shared_ptr<JGProgressHUDRingIndicatorLayer> indicatorLayer_;
    std::optional<graphics::Color> ringColor_;
    std::optional<graphics::Color> ringBackgroundColor_;
    bool roundProgressLine_ = false;
    double ringWidth_ = 0;
};
