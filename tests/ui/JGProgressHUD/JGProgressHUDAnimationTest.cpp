#include <gtest/gtest.h>

#include "platform/ui/ViewAnimation.h"
#include "tests/ui/JGProgressHUD/HUDTestFixture.h"
#include "ui/JGProgressHUD/JGProgressHUDFadeAnimation.h"
#include "ui/JGProgressHUD/JGProgressHUDFadeZoomAnimation.h"

using JGProgressHUDAnimationTest = HUDTest;

TEST_F(JGProgressHUDAnimationTest, FadeOptionsAlwaysBeginFromTheCurrentState) {
    auto fade = JGProgressHUDFadeAnimation::animation();
    EXPECT_EQ(fade->duration(), 0.4);
    EXPECT_EQ(fade->animationOptions(), 4u);
    fade->setAnimationOptions(0);
    EXPECT_EQ(fade->animationOptions(), 4u);
    fade->setAnimationOptions(ui::ViewAnimationOptions::curveEaseIn);
    EXPECT_EQ(fade->animationOptions(), 65540u);
}

TEST_F(JGProgressHUDAnimationTest, TheHUDOwnsOneAnimationAtATime) {
    auto hud = JGProgressHUD::make();
    auto first = hud->animation();  // a fade, made on first access
    ASSERT_TRUE(std::dynamic_pointer_cast<JGProgressHUDFadeAnimation>(first));
    EXPECT_EQ(first->progressHUD(), hud);
    auto zoom = JGProgressHUDFadeZoomAnimation::animation();
    hud->setAnimation(zoom);
    EXPECT_FALSE(first->progressHUD());
    EXPECT_EQ(zoom->progressHUD(), hud);

    // An animation whose HUD is gone reports to nobody.
    hud.reset();
    EXPECT_FALSE(zoom->progressHUD());
    zoom->show();
    advance(1);
}

TEST_F(JGProgressHUDAnimationTest, FadeZoomTakesExpandPlusShrinkAndEndsUntransformed) {
    auto delegate = std::make_shared<RecordingDelegate>();
    auto hud = JGProgressHUD::make();
    hud->setDelegate(delegate);
    auto zoom = JGProgressHUDFadeZoomAnimation::animation();
    EXPECT_EQ(zoom->shrinkAnimationDuaration(), 0.2);
    EXPECT_EQ(zoom->expandAnimationDuaration(), 0.1);
    EXPECT_EQ(zoom->expandScale(), (graphics::Size{1.1, 1.1}));
    hud->setAnimation(zoom);

    hud->showInView(target);
    EXPECT_EQ(hud->alpha(), 1);
    EXPECT_EQ(hud->HUDView()->transform(), graphics::AffineTransform::makeScale(1.1, 1.1));
    advance(0.2);  // expanded; now settling back
    EXPECT_EQ(hud->HUDView()->transform(), graphics::AffineTransform::identity());
    EXPECT_EQ(delegate->steps.size(), 1u);
    advance(0.1);
    EXPECT_EQ(delegate->steps, (std::vector<std::string>{"willPresent", "didPresent"}));
    EXPECT_TRUE(zoom->presenting());

    hud->dismiss();
    EXPECT_EQ(hud->alpha(), 0);
    advance(0.1);
    EXPECT_EQ(hud->HUDView()->transform(), graphics::AffineTransform::makeScale(0.1, 0.1));
    advance(0.2);
    EXPECT_FALSE(hud->isVisible());
    EXPECT_FALSE(zoom->presenting());
    EXPECT_EQ(hud->HUDView()->transform(), graphics::AffineTransform::identity());
}
