#pragma once

// Custom presentation transitions: a transitioning delegate hands out an
// animator (and, for presentations, optionally an interactive controller);
// the animator moves the views in the context's container and says when it
// is done; an interactive transition is driven by updates and then finished
// or cancelled, and a cancelled presentation leaves things as they were.

#include <memory>

namespace ui {

class TransitionContext;
class ViewController;

class ViewControllerAnimatedTransitioning {
  public:
    virtual ~ViewControllerAnimatedTransitioning() = default;
    virtual double transitionDuration(TransitionContext& context) = 0;
    // Must end with context.completeTransition().
    virtual void animateTransition(TransitionContext& context) = 0;
    virtual void animationEnded(bool completed) {}
};

class ViewControllerInteractiveTransitioning {
  public:
    virtual ~ViewControllerInteractiveTransitioning() = default;
    virtual void startInteractiveTransition(const std::shared_ptr<TransitionContext>& context) = 0;
};

class ViewControllerTransitioningDelegate {
  public:
    virtual ~ViewControllerTransitioningDelegate() = default;
    virtual std::shared_ptr<ViewControllerAnimatedTransitioning>
    animationControllerForPresentedController(ViewController& presented, ViewController& presenting,
                                              ViewController& source) {
        return nullptr;
    }
    virtual std::shared_ptr<ViewControllerAnimatedTransitioning>
    animationControllerForDismissedController(ViewController& dismissed) {
        return nullptr;
    }
    virtual std::shared_ptr<ViewControllerInteractiveTransitioning>
    interactionControllerForPresentation(ViewControllerAnimatedTransitioning& animator) {
        return nullptr;
    }
    virtual std::shared_ptr<ViewControllerInteractiveTransitioning>
    interactionControllerForDismissal(ViewControllerAnimatedTransitioning& animator) {
        return nullptr;
    }
};

}  // namespace ui
