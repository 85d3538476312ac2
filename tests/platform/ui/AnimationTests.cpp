#include <gtest/gtest.h>

#include "platform/ui/AnimationGroup.h"
#include "platform/ui/BasicAnimation.h"
#include "platform/ui/Layer.h"
#include "platform/ui/View.h"
#include "platform/ui/ViewAnimation.h"
#include "tests/platform/ui/UiTestFixture.h"

using AnimationTest = UiTest;

TEST_F(AnimationTest, ViewAnimationsApplyAtOnceAndCompleteAfterTheDuration) {
    auto v = std::make_shared<ui::View>(graphics::Rect(0, 0, 10, 10));
    int completions = 0;
    bool finished = false;
    ui::ViewAnimation::animate(
        0.3, 0.2, ui::ViewAnimationOptions::beginFromCurrentState, [&] { v->setAlpha(0); },
        [&](bool f) {
            ++completions;
            finished = f;
        });
    EXPECT_EQ(v->alpha(), 0);
    EXPECT_EQ(ui::ViewAnimation::pendingCount(), 1);
    advance(0.49);
    EXPECT_EQ(completions, 0);
    advance(0.01);
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(finished);
    advance(5);
    EXPECT_EQ(completions, 1);

    // Named animations call their did-stop handler with name and context.
    int context = 42;
    std::string stopped;
    ui::ViewAnimation::beginAnimations("ShowTip", &context);
    ui::ViewAnimation::setAnimationDuration(0.5);
    ui::ViewAnimation::setAnimationDidStop([&](const std::string& name, bool, void* ctx) {
        stopped = name + ":" + std::to_string(*static_cast<int*>(ctx));
    });
    v->setAlpha(1);
    ui::ViewAnimation::commitAnimations();
    advance(0.5);
    EXPECT_EQ(stopped, "ShowTip:42");
}

TEST_F(AnimationTest, LayerPresentationFollowsTheRunningAnimations) {
    auto layer = std::make_shared<ui::Layer>();
    layer->setBounds(graphics::Rect(0, 0, 100, 100));
    layer->setPosition({50, 50});
    layer->setOpacity(0);

    ui::AnimationGroup group;
    group.duration = 1;
    auto show = std::make_shared<ui::BasicAnimation>("opacity");
    show->fromValue = 0.0;
    show->toValue = 1.0;
    show->duration = 0.2;
    show->fillMode = ui::FillMode::forwards;
    show->removedOnCompletion = false;
    auto hide = std::make_shared<ui::BasicAnimation>("opacity");
    hide->fromValue = 1.0;
    hide->toValue = 0.0;
    hide->beginTime = 0.5;
    hide->duration = 0.5;
    hide->fillMode = ui::FillMode::forwards;
    hide->removedOnCompletion = false;
    auto move = std::make_shared<ui::BasicAnimation>("position");
    move->toValue = graphics::Point{150, 50};
    move->duration = 0.2;
    move->fillMode = ui::FillMode::forwards;
    group.animations = {show, move, hide};
    bool stopped = false;
    group.didStop = [&](bool finished) { stopped = finished; };
    layer->addAnimation(group, "tracking");

    advance(0.1);
    auto p = layer->presentationLayer();
    EXPECT_NEAR(p->opacity(), 0.5, 1e-9);
    EXPECT_NEAR(p->position().x, 100, 1e-6);
    advance(0.5);  // 0.6 s in: fading out
    EXPECT_NEAR(layer->presentationLayer()->opacity(), 0.8, 1e-9);
    EXPECT_EQ(layer->opacity(), 0);  // model value untouched
    advance(0.4);
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(layer->animationKeys().empty());
    EXPECT_EQ(layer->presentationLayer()->position().x, 50);
}
