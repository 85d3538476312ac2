#pragma once

// The custom transition of a swiped store sheet: presenting, the sheet slides
// over the whole screen from the edge the swipe points to, starting at the
// finger, with a snapshot of the ad sliding out ahead of it when the ad is
// draggable; dismissing puts both back where the presentation started. One
// object per slot, reused for every swipe. Main thread.

#include <memory>

#include "ads/presentation/GADAnimationContext.h"
#include "platform/ui/TransitionContext.h"
#include "platform/ui/ViewControllerTransitioning.h"

class GADViewControllerFullScreenSwipeAnimation : public ui::ViewControllerAnimatedTransitioning {
  public:
    // nullptr on systems before 7.0.0.
    static std::shared_ptr<GADViewControllerFullScreenSwipeAnimation> make();

    double transitionDuration(ui::TransitionContext& context) override;
    void animateTransition(ui::TransitionContext& context) override;

    void willAnimatePresentation() { presenting_ = true; }
    void willAnimateDismissal() { presenting_ = false; }

    std::shared_ptr<GADAnimationContext> animationContextForTopToBottomAnimationPresentation(
        ui::TransitionContext& context);
    std::shared_ptr<GADAnimationContext> animationContextForBottomToTopAnimationPresentation(
        ui::TransitionContext& context);
    std::shared_ptr<GADAnimationContext> animationContextForTopToBottomAnimationDismissal(
        ui::TransitionContext& context);
    std::shared_ptr<GADAnimationContext> animationContextForBottomToTopAnimationDismissal(
        ui::TransitionContext& context);
    std::shared_ptr<GADAnimationContext> animationContextForRestoringAnimationToSavedState(
        ui::TransitionContext& context);
    // Drops a snapshot whose frames do not have the draggable view's size
    // (a scaled ad); answers whether it did.
    bool removeDraggableViewAnimationIfInvalid(GADAnimationContext& animationContext);

    // 1 top to bottom; anything else bottom to top.
    int direction() const { return direction_; }
    void setDirection(int direction) { direction_ = direction; }
    double startY() const { return startY_; }
    void setStartY(double y) { startY_ = y; }
    // Held weakly: the swiped banner owns the slot that owns this animation.
    std::shared_ptr<ui::View> draggableView() const { return draggableView_.lock(); }
    void setDraggableView(const std::shared_ptr<ui::View>& view) { draggableView_ = view; }
    double transitionDuration() const { return transitionDuration_; }
    void setTransitionDuration(double duration) { transitionDuration_ = duration; }
    bool presenting() const { return presenting_; }
    const graphics::Rect& draggableViewEndFrameAfterAnimation() const {
        return draggableViewEndFrameAfterAnimation_;
    }
    const graphics::Rect& animatedViewFrameBeforeAnimation() const {
        return animatedViewFrameBeforeAnimation_;
    }
    bool draggableViewShownOnPresentation() const { return draggableViewShownOnPresentation_; }

  private:
    // The presentation of either direction: `sheetStart` places the sheet
    // against the ad (or the finger, for none), `snapshotEnd` sends the
    // snapshot off the screen.
    std::shared_ptr<GADAnimationContext> presentationContext(ui::TransitionContext& context,
                                                             bool topToBottom);
    static graphics::Rect draggableFrameInContainer(const ui::View& draggable,
                                                    ui::TransitionContext& context);

    int direction_ = 0;
    double startY_ = 0;
    std::weak_ptr<ui::View> draggableView_;
    double transitionDuration_ = 0;
    bool presenting_ = false;
    graphics::Rect draggableViewEndFrameAfterAnimation_;
    graphics::Rect animatedViewFrameBeforeAnimation_;
    bool draggableViewShownOnPresentation_ = false;
};
