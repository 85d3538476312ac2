#include "scanning/LBXScan/LBXScanLineAnimation.h"

#include "platform/foundation/RunLoop.h"
#include "platform/ui/ViewAnimation.h"

namespace {

constexpr double kFadeInDuration = 0.5;
constexpr double kSweepDuration = 3.0;
constexpr double kRestartDelay = 0.3;
constexpr double kTimerInterval = 0.02;

}  // namespace

LBXScanLineAnimation::~LBXScanLineAnimation() {
    if (timer_) {
        timer_->invalidate();
    }
    foundation::RunLoop::main().cancelPerforms(this);
}

std::weak_ptr<LBXScanLineAnimation> LBXScanLineAnimation::weakSelf() {
    auto self = weak_from_this().lock();
    return self ? std::static_pointer_cast<LBXScanLineAnimation>(self) : nullptr;
}

void LBXScanLineAnimation::startAnimatingWithRect(const graphics::Rect& rect, ui::View& parentView,
                                                  graphics::Image::Ptr image) {
    if (isAnimationing_) {
        return;
    }
    isAnimationing_ = true;
    animationRect_ = rect;
    down_ = true;
    num_ = 0;
    setFrame({rect.minX() + 5, rect.minY() + rect.height() / 2, rect.width() - 10, 2});
    setImage(std::move(image));
    if (auto self = weakSelf().lock()) {
        parentView.addSubview(self);
    }
    startAnimating_UIViewAnimation();
}

void LBXScanLineAnimation::startAnimating_UIViewAnimation() {
    stepAnimation();
}

void LBXScanLineAnimation::stepAnimation() {
    if (!isAnimationing_) {
        return;
    }
    const auto& r = animationRect_;
    setFrame({r.minX() + 5, r.minY() + 8, r.width() - 10, 8});
    setAlpha(0);
    setHidden(false);
    auto weak = weakSelf();
    ui::ViewAnimation::animate(kFadeInDuration, [weak] {
        if (auto self = weak.lock()) {
            self->setAlpha(1);
        }
    });
    ui::ViewAnimation::animate(
        kSweepDuration,
        [weak] {
            if (auto self = weak.lock()) {
                const auto& r = self->animationRect_;
                self->setFrame({r.minX() + 5, r.minY() + r.height() - 8, r.width() - 10, 4});
            }
        },
        [weak](bool) {
            auto self = weak.lock();
            if (!self) {
                return;
            }
            self->setHidden(true);
            foundation::RunLoop::main().performAfter(
                kRestartDelay,
                [weak] {
                    if (auto again = weak.lock()) {
                        again->stepAnimation();
                    }
                },
                self.get(), "stepAnimation");
        });
}

void LBXScanLineAnimation::startAnimating_NSTimer() {
    auto weak = weakSelf();
    timer_ = foundation::Timer::scheduled(kTimerInterval, true, [weak](foundation::Timer&) {
        if (auto self = weak.lock()) {
            self->scanLineAnimation();
        }
    });
}

void LBXScanLineAnimation::scanLineAnimation() {
    const auto& r = animationRect_;
    const double mid = r.minY() + r.height() / 2;
    if (down_) {
        ++num_;
        setFrame({r.minX() + 5, mid + 2 * num_, r.width() - 10, 2});
        if (mid + 2 * num_ > r.maxY() - 5) {
            down_ = false;
        }
    } else {
        --num_;
        setFrame({r.minX() + 5, mid + 2 * num_, r.width() - 10, 2});
        if (mid + 2 * num_ < r.minY() + 5) {
            down_ = true;
        }
    }
}

void LBXScanLineAnimation::stopAnimating() {
    if (isAnimationing_) {
        isAnimationing_ = false;
        if (timer_) {
            timer_->invalidate();
            timer_.reset();
        }
        removeFromSuperview();
    }
    foundation::RunLoop::main().cancelPerforms(this);
}
