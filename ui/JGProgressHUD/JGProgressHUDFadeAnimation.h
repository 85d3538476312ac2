#pragma once

// Fades the HUD in and out over `duration` (0.4 s by default).

#include <memory>

#include "ui/JGProgressHUD/JGProgressHUDAnimation.h"

class JGProgressHUDFadeAnimation : public JGProgressHUDAnimation {
  public:
    JGProgressHUDFadeAnimation();

    static std::shared_ptr<JGProgressHUDFadeAnimation> animation();

    double duration() const { return duration_; }
    void setDuration(double duration) { duration_ = duration; }
    unsigned animationOptions() const { return animationOptions_; }
    // Stores the options with "begin from the current state" (4) added.
    void setAnimationOptions(unsigned options);

    void show() override;
    void hide() override;

  private:
    void fadeTo(double alpha);

    double duration_ = 0.4;
    unsigned animationOptions_ = 0;
};
