#include "ui/JGProgressHUD/JGProgressHUDFadeAnimation.h"

#include "platform/ui/ViewAnimation.h"
#include "ui/JGProgressHUD/JGProgressHUD.h"

JGProgressHUDFadeAnimation::JGProgressHUDFadeAnimation() {
    setAnimationOptions(0);
}

std::shared_ptr<JGProgressHUDFadeAnimation> JGProgressHUDFadeAnimation::animation() {
    return std::make_shared<JGProgressHUDFadeAnimation>();
}

void JGProgressHUDFadeAnimation::setAnimationOptions(unsigned options) {
    animationOptions_ = options | ui::ViewAnimationOptions::beginFromCurrentState;
}

void JGProgressHUDFadeAnimation::show() {
    JGProgressHUDAnimation::show();
    if (auto hud = progressHUD()) {
        hud->setAlpha(0);
        hud->setHidden(false);
    }
    fadeTo(1);
}

void JGProgressHUDFadeAnimation::hide() {
    JGProgressHUDAnimation::hide();
    fadeTo(0);
}

void JGProgressHUDFadeAnimation::fadeTo(double alpha) {
    std::weak_ptr<JGProgressHUD> hud = progressHUD();
    auto self = shared_from_this();
    ui::ViewAnimation::animate(
        duration_, 0, animationOptions_,
        [hud, alpha] {
            if (auto strong = hud.lock()) {
                strong->setAlpha(alpha);
            }
        },
        // Reported whether or not the animation ran to its end.
        [self](bool) { self->animationFinished(); });
}
