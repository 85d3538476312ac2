#pragma once

// What an animator of a custom transition works with: the container view,
// the controllers on both sides, whether the transition is interactive and
// cancelled, and the call that ends it.

#include <functional>
#include <memory>

#include "platform/ui/View.h"
#include "platform/ui/ViewControllerTransitioning.h"

namespace ui {

enum class TransitionContextKey { from, to };

class TransitionContext {
  public:
    TransitionContext(View::Ptr container, std::shared_ptr<ViewController> from,
                      std::shared_ptr<ViewController> to,
                      std::shared_ptr<ViewControllerAnimatedTransitioning> animator,
                      bool interactive, std::function<void(bool completed)> onComplete);

    const View::Ptr& containerView() const { return container_; }
    std::shared_ptr<ViewController> viewControllerForKey(TransitionContextKey key) const;
    bool isInteractive() const { return interactive_; }
    bool transitionWasCancelled() const { return cancelled_; }
    bool isComplete() const { return done_; }
    double percentComplete() const { return percent_; }
    const std::shared_ptr<ViewControllerAnimatedTransitioning>& animator() const {
        return animator_;
    }

    // Interactive progress, from the interaction controller.
    void updateInteractiveTransition(double percent) { percent_ = percent; }
    void finishInteractiveTransition() { cancelled_ = false; }
    void cancelInteractiveTransition() { cancelled_ = true; }

    // Ends the transition once; later calls do nothing.
    void completeTransition(bool didComplete);

  private:
    View::Ptr container_;
    std::shared_ptr<ViewController> from_;
    std::shared_ptr<ViewController> to_;
    std::shared_ptr<ViewControllerAnimatedTransitioning> animator_;
    bool interactive_;
    std::function<void(bool)> onComplete_;
    bool cancelled_ = false;
    bool done_ = false;
    double percent_ = 0;
};

}  // namespace ui
