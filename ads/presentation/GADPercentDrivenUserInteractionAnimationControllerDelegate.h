#pragma once

// Told how a swipe's interactive presentation ended.

class GADPercentDrivenUserInteractionAnimationController;

class GADPercentDrivenUserInteractionAnimationControllerDelegate {
  public:
    virtual ~GADPercentDrivenUserInteractionAnimationControllerDelegate() = default;
    virtual void animationControllerDidFinishAnimationTransition(
        GADPercentDrivenUserInteractionAnimationController& controller) = 0;
    virtual void animationControllerDidCancelAnimationTransition(
        GADPercentDrivenUserInteractionAnimationController& controller) = 0;
};
