#pragma once

// Hears a progress HUD's presentation steps; every method is optional. The
// view is the HUD's target view (null when it is already gone).

#include "platform/ui/View.h"

class JGProgressHUD;

class JGProgressHUDDelegate {
  public:
    virtual ~JGProgressHUDDelegate() = default;

    virtual void progressHUDWillPresentInView(JGProgressHUD& hud, const ui::View::Ptr& view) {}
    virtual void progressHUDDidPresentInView(JGProgressHUD& hud, const ui::View::Ptr& view) {}
    virtual void progressHUDWillDismissFromView(JGProgressHUD& hud, const ui::View::Ptr& view) {}
    virtual void progressHUDDidDismissFromView(JGProgressHUD& hud, const ui::View::Ptr& view) {}
};
