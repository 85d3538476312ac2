#pragma once

// Fades the HUD while its box zooms: in from a tenth of its size past
// `expandScale` back to full size, and out the same way in reverse.

#include <memory>

#include "platform/graphics/Geometry.h"
#include "ui/JGProgressHUD/JGProgressHUDAnimation.h"

class JGProgressHUDFadeZoomAnimation : public JGProgressHUDAnimation {
  public:
    static std::shared_ptr<JGProgressHUDFadeZoomAnimation> animation();

    double shrinkAnimationDuaration() const { return shrinkAnimationDuaration_; }
    void setShrinkAnimationDuaration(double duration) { shrinkAnimationDuaration_ = duration; }
    double expandAnimationDuaration() const { return expandAnimationDuaration_; }
    void setExpandAnimationDuaration(double duration) { expandAnimationDuaration_ = duration; }
    graphics::Size expandScale() const { return expandScale_; }
    void setExpandScale(graphics::Size scale) { expandScale_ = scale; }

    void show() override;
    void hide() override;

  private:
    double shrinkAnimationDuaration_ = 0.2;
    double expandAnimationDuaration_ = 0.1;
    graphics::Size expandScale_{1.1, 1.1};
};
