#pragma once

// A net image sliding down into a scan frame in 1.4 seconds, again and again
// with a pause of 0.3 seconds, clipped to the frame.

#include <memory>

#include "platform/graphics/Geometry.h"
#include "platform/graphics/Image.h"
#include "platform/ui/ImageView.h"

class LBXScanNetAnimation : public ui::View {
  public:
    LBXScanNetAnimation();
    ~LBXScanNetAnimation() override;

    std::string className() const override { return "LBXScanNetAnimation"; }

    // Shows `image` sliding into `rect` (in `parentView`'s coordinates).
    void startAnimatingWithRect(const graphics::Rect& rect, ui::View& parentView,
                                graphics::Image::Ptr image);
    // Hides the net and cancels a pending restart.
    void stopAnimating();
    // animationDidStop:finished: : the next cycle after 0.3 seconds.
    void animationDidStop(bool finished);

    const graphics::Rect& animationRect() const { return animationRect_; }
    void setAnimationRect(const graphics::Rect& rect) { animationRect_ = rect; }
    bool isAnimationing() const { return isAnimationing_; }
    // The net's image view, made and added as a subview on first use.
    const std::shared_ptr<ui::ImageView>& scanImageView();

  private:
    void stepAnimation();
    std::weak_ptr<LBXScanNetAnimation> weakSelf();

    bool isAnimationing_ = false;
    std::shared_ptr<ui::ImageView> scanImageView_;
    graphics::Rect animationRect_;
};
