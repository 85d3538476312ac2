#pragma once

// An indicator that spins: a large activity indicator, white on the dark HUD
// and black on the others.

#include <memory>
#include <optional>

#include "platform/graphics/Color.h"
#include "platform/ui/ActivityIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDStyle.h"

class JGProgressHUDIndeterminateIndicatorView : public JGProgressHUDIndicatorView {
  public:
    using JGProgressHUDIndicatorView::JGProgressHUDIndicatorView;

    static std::shared_ptr<JGProgressHUDIndeterminateIndicatorView> makeWithHUDStyle(
        JGProgressHUDStyle style);
    // init : the extra light style.
    static std::shared_ptr<JGProgressHUDIndeterminateIndicatorView> make();

    std::string className() const override { return "JGProgressHUDIndeterminateIndicatorView"; }

    // The spinner's colour.
    void setColor(std::optional<graphics::Color> color);
    std::shared_ptr<ui::ActivityIndicatorView> activityIndicatorView() const;

    // The accessibility label is "Indeterminate progress".
    void updateAccessibility() override;
};
