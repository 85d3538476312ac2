#include "ads/presentation/GADViewControllerFullScreenSwipeAnimation.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Clock.h"
#include "platform/ui/Device.h"
#include "platform/ui/ViewAnimation.h"

namespace {

struct Transition {
    std::shared_ptr<ui::View> container =
        std::make_shared<ui::View>(graphics::Rect(0, 0, 320, 568));
    std::shared_ptr<ui::ViewController> application = std::make_shared<ui::ViewController>();
    std::shared_ptr<ui::ViewController> sheet = std::make_shared<ui::ViewController>();
    std::optional<bool> completed;

    std::shared_ptr<ui::TransitionContext> context(
        const std::shared_ptr<GADViewControllerFullScreenSwipeAnimation>& animation,
        bool presenting) {
        return std::make_shared<ui::TransitionContext>(
            container, presenting ? application : sheet, presenting ? sheet : application,
            animation, false, [this](bool done) { completed = done; });
    }
};

std::shared_ptr<GADViewControllerFullScreenSwipeAnimation> animation(int direction, double startY) {
    auto made = GADViewControllerFullScreenSwipeAnimation::make();
    made->setDirection(direction);
    made->setStartY(startY);
    made->setTransitionDuration(0.3);
    made->willAnimatePresentation();
    return made;
}

TEST(GADViewControllerFullScreenSwipeAnimationTest, SheetStartsAtTheFingerOrAgainstTheAd) {
    struct Case {
        const char* name;
        int direction;
        double startY;
        std::optional<graphics::Rect> draggable;  // in the container
        double sheetStartY;
        std::optional<std::pair<double, double>> snapshotY;  // start, end
    };
    const std::vector<Case> cases = {
        {"down, no ad", 1, 100, std::nullopt, -468, std::nullopt},
        {"up, no ad", 2, 400, std::nullopt, 400, std::nullopt},
        {"down, ad at the bottom", 1, 530, graphics::Rect(0, 518, 320, 50), -50,
         std::pair(518.0, 568.0)},
        {"up, ad at the top", 2, 20, graphics::Rect(0, 0, 320, 50), 50, std::pair(0.0, -50.0)},
    };
    for (const Case& c : cases) {
        Transition run;
        auto swipe = animation(c.direction, c.startY);
        if (c.draggable) {
            auto ad = std::make_shared<ui::View>(*c.draggable);
            run.container->addSubview(ad);
            swipe->setDraggableView(ad);
        }
        auto context = run.context(swipe, true);
        auto frames = c.direction == 1
                          ? swipe->animationContextForTopToBottomAnimationPresentation(*context)
                          : swipe->animationContextForBottomToTopAnimationPresentation(*context);
        EXPECT_EQ(frames->animatedViewStartFrame(), graphics::Rect(0, c.sheetStartY, 320, 568))
            << c.name;
        EXPECT_EQ(frames->animatedViewEndFrame(), graphics::Rect(0, 0, 320, 568)) << c.name;
        EXPECT_EQ(frames->animatedViewController(), run.sheet) << c.name;
        EXPECT_EQ(swipe->animatedViewFrameBeforeAnimation(), frames->animatedViewStartFrame())
            << c.name;
        EXPECT_EQ(swipe->draggableViewShownOnPresentation(), c.snapshotY.has_value()) << c.name;
        if (c.snapshotY) {
            ASSERT_TRUE(frames->draggableViewScreenshot()) << c.name;
            EXPECT_EQ(frames->draggableViewStartFrame().origin.y, c.snapshotY->first) << c.name;
            EXPECT_EQ(frames->draggableViewEndFrame().origin.y, c.snapshotY->second) << c.name;
            EXPECT_EQ(frames->draggableViewScreenshot()->bounds().size, c.draggable->size)
                << c.name;
        } else {
            EXPECT_EQ(frames->draggableViewScreenshot(), nullptr) << c.name;
        }
    }
}

TEST(GADViewControllerFullScreenSwipeAnimationTest, AScaledAdTravelsWithoutSnapshot) {
    Transition run;
    auto swipe = animation(1, 100);
    auto ad = std::make_shared<ui::View>(graphics::Rect(0, 518, 320, 50));
    ad->setTransform(graphics::AffineTransform::makeScale(0.5, 0.5));
    run.container->addSubview(ad);
    swipe->setDraggableView(ad);
    auto frames =
        swipe->animationContextForTopToBottomAnimationPresentation(*run.context(swipe, true));
    EXPECT_EQ(frames->draggableViewScreenshot(), nullptr);
    EXPECT_EQ(frames->draggableViewStartFrame(), graphics::Rect());
    EXPECT_EQ(swipe->draggableViewEndFrameAfterAnimation(), graphics::Rect());
    EXPECT_FALSE(swipe->draggableViewShownOnPresentation());
    EXPECT_EQ(frames->animatedViewStartFrame(), graphics::Rect(0, -468, 320, 568));
}

TEST(GADViewControllerFullScreenSwipeAnimationTest, RunsPresentationAndDismissalBack) {
    foundation::ManualClock clock;
    Transition run;
    auto swipe = animation(1, 530);
    auto ad = std::make_shared<ui::View>(graphics::Rect(0, 518, 320, 50));
    run.container->addSubview(ad);
    swipe->setDraggableView(ad);

    auto presenting = run.context(swipe, true);
    swipe->animateTransition(*presenting);
    EXPECT_EQ(run.sheet->view()->superview().get(), run.container.get());
    EXPECT_EQ(run.sheet->view()->frame(), graphics::Rect(0, 0, 320, 568));
    EXPECT_EQ(run.container->subviews().back()->frame(), graphics::Rect(0, 568, 320, 50));
    EXPECT_FALSE(run.completed);
    clock.advance(0.3);
    EXPECT_EQ(run.completed, true);

    run.completed.reset();
    swipe->willAnimateDismissal();
    auto dismissing = run.context(swipe, false);
    auto back = swipe->animationContextForTopToBottomAnimationDismissal(*dismissing);
    EXPECT_EQ(back->animatedViewStartFrame(), graphics::Rect(0, 0, 320, 568));
    EXPECT_EQ(back->animatedViewEndFrame(), graphics::Rect(0, -50, 320, 568));
    ASSERT_TRUE(back->draggableViewScreenshot());
    EXPECT_EQ(back->draggableViewStartFrame(), graphics::Rect(0, 568, 320, 50));
    EXPECT_EQ(back->draggableViewEndFrame(), graphics::Rect(0, 518, 320, 50));

    swipe->animateTransition(*dismissing);
    EXPECT_EQ(run.sheet->view()->frame(), graphics::Rect(0, -50, 320, 568));
    clock.advance(0.3);
    EXPECT_EQ(run.completed, true);
}

TEST(GADViewControllerFullScreenSwipeAnimationTest, NoneBeforeSystemSeven) {
    ui::Device::currentDevice().setSystemVersion("6.1");
    EXPECT_EQ(GADViewControllerFullScreenSwipeAnimation::make(), nullptr);
}

}  // namespace
