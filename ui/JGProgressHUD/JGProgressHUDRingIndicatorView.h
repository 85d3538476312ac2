#pragma once

// A progress indicator drawn as a ring closing clockwise from the top.
// Its drawing layer fills the view; setters hand their values to the layer.

#include <memory>
#include <optional>
#include <string>

#include "platform/graphics/Color.h"
#include "ui/JGProgressHUD/JGProgressHUDLayerIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDRingIndicatorLayer.h"
#include "ui/JGProgressHUD/JGProgressHUDStyle.h"

class JGProgressHUDRingIndicatorView
    : public JGProgressHUDLayerIndicatorView<JGProgressHUDRingIndicatorLayer> {
  public:
    explicit JGProgressHUDRingIndicatorView(Token token);

    // initWithContentView: (init without one: 50 by 50).
    static std::shared_ptr<JGProgressHUDRingIndicatorView> make(
        ui::View::Ptr contentView = nullptr);
    // initWithHUDStyle: : 50 by 50 in the style's colours.
    static std::shared_ptr<JGProgressHUDRingIndicatorView> makeWithHUDStyle(
        JGProgressHUDStyle style);

    std::string className() const override { return "JGProgressHUDRingIndicatorView"; }

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

  private:
    std::optional<graphics::Color> ringColor_;
    std::optional<graphics::Color> ringBackgroundColor_;
    bool roundProgressLine_ = false;
    double ringWidth_ = 0;
};
