#pragma once

// Turns a pan over a banner into the progress of the store sheet's
// presentation: the finger's way from where it started to the far edge is the
// progress (0 to 1), and the release velocity alone decides whether the
// sheet comes in or goes back. It is the sheet's transitioning delegate, so
// the presentation runs the swipe animation interactively and the dismissal
// runs it on its own. Main thread.

#include <memory>

#include "ads/presentation/GADPercentDrivenUserInteractionAnimationControllerDelegate.h"
#include "ads/presentation/GADViewControllerFullScreenSwipeAnimation.h"
#include "platform/ui/PanGestureRecognizer.h"
#include "platform/ui/PercentDrivenInteractiveTransition.h"
#include "platform/ui/ViewControllerTransitioning.h"

class GADPercentDrivenUserInteractionAnimationController
    : public ui::PercentDrivenInteractiveTransition,
      public ui::ViewControllerTransitioningDelegate,
      public std::enable_shared_from_this<GADPercentDrivenUserInteractionAnimationController> {
  public:
    // nullptr without an animation or on systems before 7.0.0.
    static std::shared_ptr<GADPercentDrivenUserInteractionAnimationController> make(
        std::shared_ptr<GADViewControllerFullScreenSwipeAnimation> animation);
    explicit GADPercentDrivenUserInteractionAnimationController(
        std::shared_ptr<GADViewControllerFullScreenSwipeAnimation> animation);

    // Changed moves the transition on; Ended finishes or cancels it by the
    // vertical velocity; Cancelled and Failed cancel it. Began starts it
    // (the presentation was begun by the slot) and cancels nothing.
    void handlePanGesture(ui::PanGestureRecognizer& recognizer);
    // The finger at window y as progress of the current direction: 0 where
    // it started, 1 at the far edge; clamped to [0, 1], 0 when the finger
    // started on that edge.
    double progressForLocationY(double y) const;
    bool isAnimatingTopToBottom() const;
    bool isAnimatingBottomToTop() const { return !isAnimatingTopToBottom(); }

    std::shared_ptr<ui::ViewControllerAnimatedTransitioning>
    animationControllerForPresentedController(ui::ViewController& presented,
                                              ui::ViewController& presenting,
                                              ui::ViewController& source) override;
    std::shared_ptr<ui::ViewControllerAnimatedTransitioning>
    animationControllerForDismissedController(ui::ViewController& dismissed) override;
    std::shared_ptr<ui::ViewControllerInteractiveTransitioning>
    interactionControllerForPresentation(
        ui::ViewControllerAnimatedTransitioning& animator) override;

    std::shared_ptr<GADPercentDrivenUserInteractionAnimationControllerDelegate> delegate() const {
        return delegate_.lock();
    }
    void setDelegate(
        const std::weak_ptr<GADPercentDrivenUserInteractionAnimationControllerDelegate>& delegate) {
        delegate_ = delegate;
    }
    const std::shared_ptr<GADViewControllerFullScreenSwipeAnimation>& transitionAnimation() const {
        return transitionAnimation_;
    }
    void setTransitionAnimation(std::shared_ptr<GADViewControllerFullScreenSwipeAnimation> a) {
        transitionAnimation_ = std::move(a);
    }

  private:
    void finish();
    void cancel();

    std::shared_ptr<GADViewControllerFullScreenSwipeAnimation> transitionAnimation_;
    std::weak_ptr<GADPercentDrivenUserInteractionAnimationControllerDelegate> delegate_;
};
