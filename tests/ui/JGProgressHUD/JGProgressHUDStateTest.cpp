#include <gtest/gtest.h>

#include "platform/ui/ViewAnimation.h"
#include "tests/ui/JGProgressHUD/HUDTestFixture.h"
#include "ui/JGProgressHUD/JGProgressHUDIndicatorView.h"

using JGProgressHUDStateTest = HUDTest;
using Steps = std::vector<std::string>;

TEST_F(JGProgressHUDStateTest, ShowsAndDismissesWithoutAnimation) {
    auto delegate = std::make_shared<RecordingDelegate>();
    auto hud = JGProgressHUD::progressHUDWithStyle(JGProgressHUDStyle::dark);
    hud->setDelegate(delegate);
    hud->showInView(target, false);
    EXPECT_TRUE(hud->isVisible());
    EXPECT_FALSE(hud->isHidden());
    EXPECT_EQ(hud->targetView(), target);
    EXPECT_EQ(hud->superview(), target);
    EXPECT_EQ(delegate->steps, (Steps{"willPresent", "didPresent"}));

    // Showing a shown HUD does nothing.
    auto elsewhere = std::make_shared<ui::View>(graphics::Rect(0, 0, 100, 100));
    hud->showInView(elsewhere, false);
    EXPECT_EQ(hud->superview(), target);
    EXPECT_EQ(delegate->steps.size(), 2u);

    hud->dismissAnimated(false);
    EXPECT_FALSE(hud->isVisible());
    EXPECT_TRUE(hud->isHidden());
    EXPECT_FALSE(hud->targetView());
    EXPECT_EQ(delegate->steps, (Steps{"willPresent", "didPresent", "willDismiss", "didDismiss"}));
    EXPECT_EQ(delegate->views.back(), target);

    // Dismissing a hidden HUD does nothing; a hidden HUD may be shown again.
    hud->dismissAnimated(false);
    EXPECT_EQ(delegate->steps.size(), 4u);
    hud->showInRect(graphics::Rect(10, 10, 200, 200), elsewhere, false);
    EXPECT_EQ(hud->superview(), elsewhere);
    EXPECT_EQ(hud->frame(), graphics::Rect(10, 10, 200, 200));
}

TEST_F(JGProgressHUDStateTest, AnimatedShowAndDismissFinishOnTheClock) {
    auto delegate = std::make_shared<RecordingDelegate>();
    auto hud = JGProgressHUD::make();
    hud->setDelegate(delegate);
    hud->showInView(target);  // a fade of 0.4 s
    EXPECT_FALSE(hud->isHidden());
    EXPECT_EQ(delegate->steps, (Steps{"willPresent"}));
    advance(0.39);
    EXPECT_EQ(delegate->steps.size(), 1u);
    advance(0.01);
    EXPECT_EQ(delegate->steps, (Steps{"willPresent", "didPresent"}));

    hud->dismiss();
    EXPECT_EQ(hud->alpha(), 0);
    EXPECT_TRUE(hud->isVisible());  // still fading out
    advance(0.4);
    EXPECT_FALSE(hud->isVisible());
    EXPECT_EQ(delegate->steps.back(), "didDismiss");
}

TEST_F(JGProgressHUDStateTest, DismissDuringTheShowWaitsForItAndKeepsItsFlag) {
    for (bool animatedDismissal : {false, true}) {
        auto delegate = std::make_shared<RecordingDelegate>();
        auto hud = JGProgressHUD::make();
        hud->setDelegate(delegate);
        hud->showInView(target);
        advance(0.1);
        hud->dismissAnimated(animatedDismissal);
        EXPECT_TRUE(hud->isVisible());
        advance(0.3);  // the show ends, then the dismissal starts
        const Steps started{"willPresent", "didPresent", "willDismiss"};
        EXPECT_EQ(Steps(delegate->steps.begin(), delegate->steps.begin() + 3), started);
        EXPECT_EQ(hud->isVisible(), animatedDismissal) << animatedDismissal;
        advance(0.4);
        EXPECT_FALSE(hud->isVisible());
        EXPECT_EQ(delegate->steps,
                  (Steps{"willPresent", "didPresent", "willDismiss", "didDismiss"}));
    }
}

TEST_F(JGProgressHUDStateTest, MinimumDisplayTimePostponesTheDismissal) {
    auto hud = JGProgressHUD::make();
    hud->setMinimumDisplayTime(2);
    hud->showInView(target, false);
    advance(0.5);
    hud->dismissAnimated(false);
    EXPECT_TRUE(hud->isVisible());
    advance(1.49);
    EXPECT_TRUE(hud->isVisible());
    advance(0.01);  // 1.5 s after the dismissal was asked for
    EXPECT_FALSE(hud->isVisible());

    // Removed in between: the postponed dismissal does nothing.
    auto delegate = std::make_shared<RecordingDelegate>();
    auto removed = JGProgressHUD::make();
    removed->setDelegate(delegate);
    removed->setMinimumDisplayTime(2);
    removed->showInView(target, false);
    advance(0.5);
    removed->dismissAnimated(false);
    advance(0.5);
    removed->removeFromSuperview();
    advance(2);
    EXPECT_EQ(delegate->steps, (Steps{"willPresent", "didPresent"}));
}

TEST_F(JGProgressHUDStateTest, DelayedDismissalHoldsTheHUDWeakly) {
    auto hud = JGProgressHUD::make();
    hud->showInView(target, false);
    hud->dismissAfterDelay(1, false);
    advance(0.99);
    EXPECT_TRUE(hud->isVisible());
    advance(0.01);
    EXPECT_FALSE(hud->isVisible());

    // A HUD gone before the delay ends is simply not dismissed.
    std::weak_ptr<JGProgressHUD> weak;
    {
        auto gone = JGProgressHUD::make();
        weak = gone;
        gone->showInView(target, false);
        gone->dismissAfterDelay(1);
        gone->removeFromSuperview();
    }
    EXPECT_TRUE(weak.expired());
    advance(2);
}

TEST_F(JGProgressHUDStateTest, ChangesDuringATransitionApplyWhenItEnds) {
    auto hud = JGProgressHUD::make();
    hud->showInView(target);
    auto replacement = JGProgressHUDIndicatorView::make();
    auto original = hud->indicatorView();
    hud->setIndicatorView(replacement);
    EXPECT_EQ(hud->indicatorView(), original);  // kept for later
    hud->textLabel()->setText("Loading");       // relayout deferred
    EXPECT_EQ(hud->textLabel()->frame(), graphics::Rect());
    advance(0.4);
    EXPECT_EQ(hud->indicatorView(), replacement);
    EXPECT_EQ(replacement->superview(), hud->contentView());
    EXPECT_FALSE(original->superview());
    EXPECT_EQ(hud->textLabel()->frame(), graphics::Rect(20, 80, 58, 18));
}

TEST_F(JGProgressHUDStateTest, ShowInViewFollowsTheDeviceOrientationUntilDismissed) {
    auto hud = JGProgressHUD::make();
    hud->showInView(target, false);
    target->setFrame(graphics::Rect(0, 0, 568, 320));  // turned
    ui::Device::currentDevice().beginGeneratingDeviceOrientationNotifications();
    ui::Device::currentDevice().setOrientation(ui::DeviceOrientation::landscapeLeft);
    EXPECT_EQ(hud->frame(), graphics::Rect(0, 0, 568, 320));
    EXPECT_EQ(hud->HUDView()->frame().origin, (graphics::Point{245.5, 121.5}));

    // A HUD shown in a rectangle follows nothing.
    hud->dismissAnimated(false);
    hud->showInRect(graphics::Rect(0, 0, 100, 100), target, false);
    ui::Device::currentDevice().setOrientation(ui::DeviceOrientation::portrait);
    EXPECT_EQ(hud->frame(), graphics::Rect(0, 0, 100, 100));
}

TEST_F(JGProgressHUDStateTest, KeyboardShortensTheHUDAndRecentresTheBox) {
    auto hud = JGProgressHUD::make();
    hud->setIndicatorView(JGProgressHUDIndicatorView::make());
    hud->showInView(target, false);
    const graphics::Rect up(0, 352, 320, 216);
    const int animations = ui::ViewAnimation::pendingCount();
    moveKeyboard(up, 0.25);
    EXPECT_EQ(JGProgressHUD::currentKeyboardFrame(), up);
    EXPECT_EQ(hud->frame(), graphics::Rect(0, 0, 320, 352));
    EXPECT_EQ(hud->HUDView()->frame().origin, (graphics::Point{115, 131}));
    EXPECT_EQ(ui::ViewAnimation::pendingCount(),
              animations + 1);  // in the keyboard's own animation
    advance(0.25);
    EXPECT_EQ(ui::ViewAnimation::pendingCount(), animations);

    // A HUD shown while the keyboard is up never reaches under it.
    auto later = JGProgressHUD::make();
    later->showInView(target, false);
    EXPECT_EQ(later->frame().height(), 352);

    moveKeyboard(graphics::Rect(0, 568, 320, 216));  // down again
    EXPECT_EQ(hud->frame(), graphics::Rect(0, 0, 320, 568));

    // After the dismissal the HUD no longer follows the keyboard.
    hud->dismissAnimated(false);
    moveKeyboard(up);
    EXPECT_EQ(hud->frame(), graphics::Rect(0, 0, 320, 568));
}
