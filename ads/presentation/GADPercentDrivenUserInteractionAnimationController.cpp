#include "ads/presentation/GADPercentDrivenUserInteractionAnimationController.h"

#include <algorithm>

#include "platform/ui/Screen.h"

std::shared_ptr<GADPercentDrivenUserInteractionAnimationController>
GADPercentDrivenUserInteractionAnimationController::make(
    std::shared_ptr<GADViewControllerFullScreenSwipeAnimation> animation) {
    if (!animation) {
        return nullptr;
    }
    return std::make_shared<GADPercentDrivenUserInteractionAnimationController>(
        std::move(animation));
}

GADPercentDrivenUserInteractionAnimationController::
    GADPercentDrivenUserInteractionAnimationController(
        std::shared_ptr<GADViewControllerFullScreenSwipeAnimation> animation)
    : transitionAnimation_(std::move(animation)) {}

double GADPercentDrivenUserInteractionAnimationController::progressForLocationY(double y) const {
    const double startY = transitionAnimation_->startY();
    const double height = ui::Screen::mainScreen().bounds().size.height;
    const bool down = transitionAnimation_->direction() == 1;
    const double way = down ? height - startY : startY;
    if (way == 0) {
        return 0;
    }
    return std::clamp((down ? y - startY : startY - y) / way, 0.0, 1.0);
}

bool GADPercentDrivenUserInteractionAnimationController::isAnimatingTopToBottom() const {
    const int direction = transitionAnimation_->direction();
    return transitionAnimation_->presenting() ? direction == 1 : direction == 2;
}

void GADPercentDrivenUserInteractionAnimationController::handlePanGesture(
    ui::PanGestureRecognizer& recognizer) {
    switch (recognizer.state()) {
        case ui::GestureRecognizerState::began:
            break;
        case ui::GestureRecognizerState::changed:
            updateInteractiveTransition(progressForLocationY(recognizer.locationInView(nullptr).y));
            break;
        case ui::GestureRecognizerState::ended: {
            const double velocity = recognizer.velocityInView(nullptr).y;
            const bool finishes = isAnimatingTopToBottom() ? velocity > 0 : velocity < 0;
            if (finishes) {
                finish();
            } else {
                cancel();
            }
            break;
        }
        default:
            cancel();
            break;
    }
}

void GADPercentDrivenUserInteractionAnimationController::finish() {
    auto self = shared_from_this();
    finishInteractiveTransition();
    if (auto listener = delegate_.lock()) {
        listener->animationControllerDidFinishAnimationTransition(*this);
    }
}

void GADPercentDrivenUserInteractionAnimationController::cancel() {
    auto self = shared_from_this();
    cancelInteractiveTransition();
    if (auto listener = delegate_.lock()) {
        listener->animationControllerDidCancelAnimationTransition(*this);
    }
}

std::shared_ptr<ui::ViewControllerAnimatedTransitioning>
GADPercentDrivenUserInteractionAnimationController::animationControllerForPresentedController(
    ui::ViewController&, ui::ViewController&, ui::ViewController&) {
    transitionAnimation_->willAnimatePresentation();
    return transitionAnimation_;
}

std::shared_ptr<ui::ViewControllerAnimatedTransitioning>
GADPercentDrivenUserInteractionAnimationController::animationControllerForDismissedController(
    ui::ViewController&) {
    transitionAnimation_->willAnimateDismissal();
    return transitionAnimation_;
}

std::shared_ptr<ui::ViewControllerInteractiveTransitioning>
GADPercentDrivenUserInteractionAnimationController::interactionControllerForPresentation(
    ui::ViewControllerAnimatedTransitioning&) {
    return shared_from_this();
}
