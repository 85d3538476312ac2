#pragma once

// An image indicator showing the HUD's error picture ("jg_hud_error").

#include <memory>

#include "ui/JGProgressHUD/JGProgressHUDImageIndicatorView.h"

class JGProgressHUDErrorIndicatorView : public JGProgressHUDImageIndicatorView {
  public:
    using JGProgressHUDImageIndicatorView::JGProgressHUDImageIndicatorView;

    static std::shared_ptr<JGProgressHUDErrorIndicatorView> make();

    std::string className() const override { return "JGProgressHUDErrorIndicatorView"; }

    // The accessibility label is "Error".
    void updateAccessibility() override;
};
