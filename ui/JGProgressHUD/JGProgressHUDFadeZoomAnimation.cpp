#include "ui/JGProgressHUD/JGProgressHUDFadeZoomAnimation.h"

#include "platform/ui/ViewAnimation.h"
#include "ui/JGProgressHUD/JGProgressHUD.h"

namespace {

using Options = ui::ViewAnimationOptions;
constexpr unsigned kEaseIn = Options::beginFromCurrentState | Options::curveEaseIn;    // 65540
constexpr unsigned kEaseOut = Options::beginFromCurrentState | Options::curveEaseOut;  // 131076
constexpr double kSmallScale = 0.1;

void setAlpha(const std::weak_ptr<JGProgressHUD>& hud, double alpha) {
    if (auto strong = hud.lock()) {
        strong->setAlpha(alpha);
    }
}

void setBoxTransform(const std::weak_ptr<JGProgressHUD>& hud,
                     const graphics::AffineTransform& transform) {
    if (auto strong = hud.lock()) {
        strong->HUDView()->setTransform(transform);
    }
}

}  // namespace

std::shared_ptr<JGProgressHUDFadeZoomAnimation> JGProgressHUDFadeZoomAnimation::animation() {
    return std::make_shared<JGProgressHUDFadeZoomAnimation>();
}

void JGProgressHUDFadeZoomAnimation::show() {
    JGProgressHUDAnimation::show();
    std::weak_ptr<JGProgressHUD> hud = progressHUD();
    if (auto strong = hud.lock()) {
        strong->setAlpha(0);
        strong->HUDView()->setTransform(
            graphics::AffineTransform::makeScale(kSmallScale, kSmallScale));
        strong->setHidden(false);
    }
    auto self = std::static_pointer_cast<JGProgressHUDFadeZoomAnimation>(shared_from_this());
    const double e = expandAnimationDuaration_;
    const double s = shrinkAnimationDuaration_;
    const auto expanded =
        graphics::AffineTransform::makeScale(expandScale_.width, expandScale_.height);
    ui::ViewAnimation::animate(e + s, 0, Options::beginFromCurrentState,
                               [hud] { setAlpha(hud, 1); });
    ui::ViewAnimation::animate(
        s, 0, kEaseIn, [hud, expanded] { setBoxTransform(hud, expanded); },
        [self, hud, e](bool) {
            ui::ViewAnimation::animate(
                e, 0, kEaseOut,
                [hud] { setBoxTransform(hud, graphics::AffineTransform::identity()); },
                [self](bool) { self->animationFinished(); });
        });
}

void JGProgressHUDFadeZoomAnimation::hide() {
    JGProgressHUDAnimation::hide();
    std::weak_ptr<JGProgressHUD> hud = progressHUD();
    auto self = std::static_pointer_cast<JGProgressHUDFadeZoomAnimation>(shared_from_this());
    const double e = expandAnimationDuaration_;
    const double s = shrinkAnimationDuaration_;
    const auto expanded =
        graphics::AffineTransform::makeScale(expandScale_.width, expandScale_.height);
    ui::ViewAnimation::animate(e + s, 0, Options::beginFromCurrentState,
                               [hud] { setAlpha(hud, 0); });
    ui::ViewAnimation::animate(
        e, 0, kEaseIn, [hud, expanded] { setBoxTransform(hud, expanded); },
        [self, hud, s](bool) {
            ui::ViewAnimation::animate(
                s, 0, kEaseOut,
                [hud] {
                    setBoxTransform(hud,
                                    graphics::AffineTransform::makeScale(kSmallScale, kSmallScale));
                },
                [self, hud](bool) {
                    setBoxTransform(hud, graphics::AffineTransform::identity());
                    self->animationFinished();
                });
        });
}
