#pragma once

// An interactive transition driven by a percentage: it takes updates (not
// clamped) until its owner (a gesture, typically) finishes or cancels it;
// headless, the animator runs then, towards the end or back to the start, and
// completes the context when its animation is over.

#include <memory>

#include "platform/ui/TransitionContext.h"
#include "platform/ui/ViewControllerTransitioning.h"

namespace ui {

class PercentDrivenInteractiveTransition : public ViewControllerInteractiveTransitioning {
  public:
    void startInteractiveTransition(const std::shared_ptr<TransitionContext>& context) override;
    void updateInteractiveTransition(double percent);
    void finishInteractiveTransition();
    void cancelInteractiveTransition();
    double percentComplete() const { return percent_; }
    double duration() const;

  private:
    std::shared_ptr<TransitionContext> context_;
    double percent_ = 0;
};

}  // namespace ui
