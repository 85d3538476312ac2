#include "platform/ui/TransitionContext.h"

#include "platform/ui/ViewController.h"

namespace ui {

TransitionContext::TransitionContext(View::Ptr container, std::shared_ptr<ViewController> from,
                                     std::shared_ptr<ViewController> to,
                                     std::shared_ptr<ViewControllerAnimatedTransitioning> animator,
                                     bool interactive,
                                     std::function<void(bool completed)> onComplete)
    : container_(std::move(container)),
      from_(std::move(from)),
      to_(std::move(to)),
      animator_(std::move(animator)),
      interactive_(interactive),
      onComplete_(std::move(onComplete)) {}

std::shared_ptr<ViewController> TransitionContext::viewControllerForKey(
    TransitionContextKey key) const {
    return key == TransitionContextKey::from ? from_ : to_;
}

void TransitionContext::completeTransition(bool didComplete) {
    if (done_) {
        return;
    }
    done_ = true;
    // The owner may let go of this context while it completes: work on copies.
    auto onComplete = std::move(onComplete_);
    auto animator = animator_;
    if (onComplete) {
        onComplete(didComplete);
    }
    if (animator) {
        animator->animationEnded(didComplete);
    }
}

}  // namespace ui
