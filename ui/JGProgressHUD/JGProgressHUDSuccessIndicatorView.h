#pragma once

// An image indicator showing the HUD's success picture ("jg_hud_success").

#include <memory>

#include "ui/JGProgressHUD/JGProgressHUDImageIndicatorView.h"

class JGProgressHUDSuccessIndicatorView : public JGProgressHUDImageIndicatorView {
  public:
    using JGProgressHUDImageIndicatorView::JGProgressHUDImageIndicatorView;

    static std::shared_ptr<JGProgressHUDSuccessIndicatorView> make();

    std::string className() const override { return "JGProgressHUDSuccessIndicatorView"; }

    // The accessibility label is "Success".
    void updateAccessibility() override;
};
