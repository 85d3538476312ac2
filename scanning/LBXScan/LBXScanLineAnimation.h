#pragma once

// A line image sweeping down a scan frame: it fades in at the top, slides to
// the bottom in 3 seconds, hides and starts again 0.3 seconds later, until
// stopped. A timer-driven variant moves it down and up in 2-point steps.

#include <memory>

#include "platform/foundation/Timer.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/Image.h"
#include "platform/ui/ImageView.h"

class LBXScanLineAnimation : public ui::ImageView {
  public:
    LBXScanLineAnimation() = default;
    ~LBXScanLineAnimation() override;

    std::string className() const override { return "LBXScanLineAnimation"; }

    // Starts the sweep over `rect` (in `parentView`'s coordinates) showing
    // `image`; ignored while already animating.
    void startAnimatingWithRect(const graphics::Rect& rect, ui::View& parentView,
                                graphics::Image::Ptr image);
    // The view-animation cycle (what startAnimatingWithRect runs).
    void startAnimating_UIViewAnimation();
    // The timer variant: a step every 0.02 seconds.
    void startAnimating_NSTimer();
    // One step of the timer variant.
    void scanLineAnimation();
    // Stops and removes the line; always cancels a pending restart.
    void stopAnimating();

    const graphics::Rect& animationRect() const { return animationRect_; }
    void setAnimationRect(const graphics::Rect& rect) { animationRect_ = rect; }
    bool isAnimationing() const { return isAnimationing_; }
    int num() const { return num_; }
    bool down() const { return down_; }

  private:
    void stepAnimation();
    std::weak_ptr<LBXScanLineAnimation> weakSelf();

    int num_ = 0;
    bool down_ = true;
    std::shared_ptr<foundation::Timer> timer_;
    bool isAnimationing_ = false;
    graphics::Rect animationRect_;
};
