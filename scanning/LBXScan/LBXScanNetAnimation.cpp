#include "scanning/LBXScan/LBXScanNetAnimation.h"

#include "platform/foundation/RunLoop.h"
#include "platform/ui/ViewAnimation.h"

namespace {

constexpr double kSlideDuration = 1.4;
constexpr double kRestartDelay = 0.3;

}  // namespace

LBXScanNetAnimation::LBXScanNetAnimation() { setClipsToBounds(true); }

const std::shared_ptr<ui::ImageView>& LBXScanNetAnimation::scanImageView() {
    if (!scanImageView_) {
        scanImageView_ = std::make_shared<ui::ImageView>();
        addSubview(scanImageView_);
    }
    return scanImageView_;
}

LBXScanNetAnimation::~LBXScanNetAnimation() {
    isAnimationing_ = false;
    foundation::RunLoop::main().cancelPerforms(this);
}

std::weak_ptr<LBXScanNetAnimation> LBXScanNetAnimation::weakSelf() {
    auto self = weak_from_this().lock();
    return self ? std::static_pointer_cast<LBXScanNetAnimation>(self) : nullptr;
}

void LBXScanNetAnimation::startAnimatingWithRect(const graphics::Rect& rect, ui::View& parentView,
                                                 graphics::Image::Ptr image) {
    scanImageView()->setImage(std::move(image));
    animationRect_ = rect;
    if (auto self = weakSelf().lock()) {
        parentView.addSubview(self);
    }
    setHidden(false);
    isAnimationing_ = true;
    stepAnimation();
}

void LBXScanNetAnimation::stepAnimation() {
    if (!isAnimationing_) {
        return;
    }
    const double w = animationRect_.width();
    const double h = animationRect_.height();
    setFrame(animationRect_);
    setAlpha(0.5);
    scanImageView()->setFrame({0, -h, w, h});
    auto weak = weakSelf();
    ui::ViewAnimation::animate(
        kSlideDuration,
        [weak, w, h] {
            if (auto self = weak.lock()) {
                self->setAlpha(1);
                self->scanImageView_->setFrame({0, w - h, w, h});
            }
        },
        [weak](bool finished) {
            if (auto self = weak.lock()) {
                self->animationDidStop(finished);
            }
        });
}

void LBXScanNetAnimation::animationDidStop(bool) {
    auto weak = weakSelf();
    foundation::RunLoop::main().performAfter(
        kRestartDelay,
        [weak] {
            if (auto self = weak.lock()) {
                self->stepAnimation();
            }
        },
        this, "stepAnimation");
}

void LBXScanNetAnimation::stopAnimating() {
    setHidden(true);
    isAnimationing_ = false;
    foundation::RunLoop::main().cancelPerforms(this);
}
