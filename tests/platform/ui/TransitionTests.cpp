#include <gtest/gtest.h>

#include "platform/ui/PercentDrivenInteractiveTransition.h"
#include "platform/ui/TransitionContext.h"
#include "platform/ui/ViewAnimation.h"
#include "platform/ui/ViewController.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

// Slides the presented view in over 0.3 s and completes unless cancelled.
class Slide : public ui::ViewControllerAnimatedTransitioning {
  public:
    double transitionDuration(ui::TransitionContext&) override { return 0.3; }
    void animateTransition(ui::TransitionContext& context) override {
        auto to = context.viewControllerForKey(ui::TransitionContextKey::to);
        context.containerView()->addSubview(to->view());
        auto* ctx = &context;
        ui::ViewAnimation::animate(
            0.3, [] {}, [ctx](bool) { ctx->completeTransition(!ctx->transitionWasCancelled()); });
    }
};

class Sheet : public ui::ViewControllerTransitioningDelegate {
  public:
    std::shared_ptr<ui::PercentDrivenInteractiveTransition> interaction;
    std::shared_ptr<ui::ViewControllerAnimatedTransitioning>
    animationControllerForPresentedController(ui::ViewController&, ui::ViewController&,
                                              ui::ViewController&) override {
        return std::make_shared<Slide>();
    }
    std::shared_ptr<ui::ViewControllerAnimatedTransitioning>
    animationControllerForDismissedController(ui::ViewController&) override {
        return std::make_shared<Slide>();
    }
    std::shared_ptr<ui::ViewControllerInteractiveTransitioning>
    interactionControllerForPresentation(ui::ViewControllerAnimatedTransitioning&) override {
        return interaction;
    }
};

}  // namespace

using TransitionTest = UiTest;

TEST_F(TransitionTest, InteractivePresentationFinishesOrCancels) {
    auto root = std::make_shared<ui::ViewController>();
    auto window = show(root);
    auto sheet = std::make_shared<Sheet>();

    for (bool finish : {false, true}) {
        sheet->interaction = std::make_shared<ui::PercentDrivenInteractiveTransition>();
        auto swipe = std::make_shared<ui::ViewController>();
        swipe->setModalPresentationStyle(ui::ModalPresentationStyle::custom);
        swipe->setTransitioningDelegate(sheet);
        bool completed = false;
        root->presentViewController(swipe, true, [&] { completed = true; });
        sheet->interaction->updateInteractiveTransition(0.4);
        advance(2);  // nothing ends while the finger drives it
        EXPECT_EQ(swipe->appearanceState(), ui::AppearanceState::appearing);
        if (finish) {
            sheet->interaction->finishInteractiveTransition();
        } else {
            sheet->interaction->cancelInteractiveTransition();
        }
        advance(0.3);
        EXPECT_EQ(completed, finish);
        EXPECT_EQ(root->presentedViewController() != nullptr, finish);
        EXPECT_EQ(swipe->appearanceState(),
                  finish ? ui::AppearanceState::appeared : ui::AppearanceState::disappeared);
        EXPECT_EQ(root->appearanceState(),
                  ui::AppearanceState::appeared);  // a custom sheet does not cover
    }

    // Dismissal runs the animator on its own.
    auto swipe = root->presentedViewController();
    bool dismissed = false;
    root->dismissViewController(true, [&] { dismissed = true; });
    advance(0.3);
    EXPECT_TRUE(dismissed);
    EXPECT_EQ(swipe->view()->window(), nullptr);
}
