#include "platform/ui/PercentDrivenInteractiveTransition.h"

namespace ui {

void PercentDrivenInteractiveTransition::startInteractiveTransition(
    const std::shared_ptr<TransitionContext>& context) {
    context_ = context;
    percent_ = 0;
}

void PercentDrivenInteractiveTransition::updateInteractiveTransition(double percent) {
    percent_ = percent;
    if (context_) {
        context_->updateInteractiveTransition(percent);
    }
}

void PercentDrivenInteractiveTransition::finishInteractiveTransition() {
    if (auto context = std::move(context_)) {
        context->finishInteractiveTransition();
        if (context->animator()) {
            context->animator()->animateTransition(*context);
        }
    }
}

void PercentDrivenInteractiveTransition::cancelInteractiveTransition() {
    if (auto context = std::move(context_)) {
        context->cancelInteractiveTransition();
        if (context->animator()) {
            context->animator()->animateTransition(*context);
        }
    }
}

double PercentDrivenInteractiveTransition::duration() const {
    return context_ && context_->animator() ? context_->animator()->transitionDuration(*context_)
                                            : 0;
}

}  // namespace ui
