#include "ui/JGProgressHUD/JGProgressHUDAnimation.h"

#include "ui/JGProgressHUD/JGProgressHUD.h"

std::shared_ptr<JGProgressHUDAnimation> JGProgressHUDAnimation::animation() {
    return std::make_shared<JGProgressHUDAnimation>();
}

void JGProgressHUDAnimation::animationFinished() {
    if (auto hud = progressHUD()) {
        hud->animationDidFinish(presenting_);
    }
}
