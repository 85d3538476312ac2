#include "ads/presentation/GADViewControllerFullScreenSwipeAnimation.h"

#include "ads/foundation/GADDevice.h"
#include "platform/ui/ViewAnimation.h"

std::shared_ptr<GADViewControllerFullScreenSwipeAnimation>
GADViewControllerFullScreenSwipeAnimation::make() {
    if (!GADDevice::currentDevice().isOSAtLeastMajor(7, 0, 0)) {
        return nullptr;
    }
    return std::make_shared<GADViewControllerFullScreenSwipeAnimation>();
}

double GADViewControllerFullScreenSwipeAnimation::transitionDuration(ui::TransitionContext&) {
    return transitionDuration_;
}

void GADViewControllerFullScreenSwipeAnimation::animateTransition(ui::TransitionContext& context) {
    const auto container = context.containerView();
    auto from = context.viewControllerForKey(ui::TransitionContextKey::from);
    auto to = context.viewControllerForKey(ui::TransitionContextKey::to);
    auto underneath = presenting_ ? from : to;
    auto sheet = presenting_ ? to : from;
    if (!container || !underneath || !sheet) {
        context.completeTransition(false);
        return;
    }
    container->addSubview(underneath->view());
    container->addSubview(sheet->view());

    std::shared_ptr<GADAnimationContext> run;
    if (direction_ == 1) {
        run = presenting_ ? animationContextForTopToBottomAnimationPresentation(context)
                          : animationContextForTopToBottomAnimationDismissal(context);
    } else {
        run = presenting_ ? animationContextForBottomToTopAnimationPresentation(context)
                          : animationContextForBottomToTopAnimationDismissal(context);
    }
    if (const auto& snapshot = run->draggableViewScreenshot()) {
        snapshot->setFrame(run->draggableViewStartFrame());
        container->addSubview(snapshot);
    }
    sheet->view()->setFrame(run->animatedViewStartFrame());

    // The sheet's controller holds the context until the transition ends.
    ui::TransitionContext* ending = &context;
    ui::ViewAnimation::animate(
        transitionDuration_,
        [run, sheet] {
            if (const auto& snapshot = run->draggableViewScreenshot()) {
                snapshot->setFrame(run->draggableViewEndFrame());
            }
            sheet->view()->setFrame(run->animatedViewEndFrame());
        },
        [ending, sheet](bool) { ending->completeTransition(!ending->transitionWasCancelled()); });
}

graphics::Rect GADViewControllerFullScreenSwipeAnimation::draggableFrameInContainer(
    const ui::View& draggable, ui::TransitionContext& context) {
    return draggable.convertRectToView(draggable.bounds(), context.containerView().get());
}

std::shared_ptr<GADAnimationContext> GADViewControllerFullScreenSwipeAnimation::presentationContext(
    ui::TransitionContext& context, bool topToBottom) {
    const graphics::Rect bounds = context.containerView()->bounds();
    const double height = bounds.size.height;
    auto run = std::make_shared<GADAnimationContext>();
    run->setAnimatedViewController(context.viewControllerForKey(ui::TransitionContextKey::to));
    run->setAnimatedViewEndFrame(bounds);

    bool snapshotMoves = false;
    graphics::Rect sheetStart;
    if (auto draggable = draggableView()) {
        const graphics::Rect d = draggableFrameInContainer(*draggable, context);
        run->setDraggableViewScreenshot(draggable->snapshotViewAfterScreenUpdates(true));
        run->setDraggableViewStartFrame(d);
        // The snapshot leaves by the container's height going down, by its
        // own height going up.
        run->setDraggableViewEndFrame(
            topToBottom ? graphics::Rect(d.origin.x, height, d.size.width, d.size.height)
                        : graphics::Rect(d.origin.x, -d.size.height, d.size.width, d.size.height));
        draggableViewEndFrameAfterAnimation_ = run->draggableViewEndFrame();
        snapshotMoves = !removeDraggableViewAnimationIfInvalid(*run);
        sheetStart = topToBottom ? graphics::Rect(bounds.origin.x, d.origin.y - height,
                                                  bounds.size.width, height)
                                 : graphics::Rect(bounds.origin.x, d.origin.y + d.size.height,
                                                  bounds.size.width, height);
    }
    draggableViewShownOnPresentation_ = snapshotMoves;
    if (!snapshotMoves) {
        sheetStart =
            topToBottom
                ? graphics::Rect(bounds.origin.x, startY_ - height, bounds.size.width, height)
                : graphics::Rect(bounds.origin.x, startY_, bounds.size.width, height);
    }
    run->setAnimatedViewStartFrame(sheetStart);
    animatedViewFrameBeforeAnimation_ = sheetStart;
    return run;
}

std::shared_ptr<GADAnimationContext>
GADViewControllerFullScreenSwipeAnimation::animationContextForTopToBottomAnimationPresentation(
    ui::TransitionContext& context) {
    return presentationContext(context, true);
}

std::shared_ptr<GADAnimationContext>
GADViewControllerFullScreenSwipeAnimation::animationContextForBottomToTopAnimationPresentation(
    ui::TransitionContext& context) {
    return presentationContext(context, false);
}

std::shared_ptr<GADAnimationContext>
GADViewControllerFullScreenSwipeAnimation::animationContextForTopToBottomAnimationDismissal(
    ui::TransitionContext& context) {
    return animationContextForRestoringAnimationToSavedState(context);
}

std::shared_ptr<GADAnimationContext>
GADViewControllerFullScreenSwipeAnimation::animationContextForBottomToTopAnimationDismissal(
    ui::TransitionContext& context) {
    return animationContextForRestoringAnimationToSavedState(context);
}

std::shared_ptr<GADAnimationContext>
GADViewControllerFullScreenSwipeAnimation::animationContextForRestoringAnimationToSavedState(
    ui::TransitionContext& context) {
    auto run = std::make_shared<GADAnimationContext>();
    auto sheet = context.viewControllerForKey(ui::TransitionContextKey::from);
    run->setAnimatedViewController(sheet);
    if (sheet) {
        run->setAnimatedViewStartFrame(sheet->view()->frame());
    }
    run->setAnimatedViewEndFrame(animatedViewFrameBeforeAnimation_);
    auto draggable = draggableView();
    if (draggable && draggableViewShownOnPresentation_) {
        run->setDraggableViewScreenshot(draggable->snapshotViewAfterScreenUpdates(true));
        run->setDraggableViewStartFrame(draggableViewEndFrameAfterAnimation_);
        run->setDraggableViewEndFrame(draggableFrameInContainer(*draggable, context));
    }
    return run;
}

bool GADViewControllerFullScreenSwipeAnimation::removeDraggableViewAnimationIfInvalid(
    GADAnimationContext& run) {
    auto draggable = draggableView();
    const graphics::Size size = draggable ? draggable->bounds().size : graphics::Size();
    const auto sameSize = [&size](const graphics::Rect& frame) {
        return frame.size.width == size.width && frame.size.height == size.height;
    };
    if (sameSize(run.draggableViewStartFrame()) && sameSize(run.draggableViewEndFrame())) {
        return false;
    }
    run.setDraggableViewScreenshot(nullptr);
    run.setDraggableViewStartFrame({});
    run.setDraggableViewEndFrame({});
    draggableViewEndFrameAfterAnimation_ = {};
    return true;
}
