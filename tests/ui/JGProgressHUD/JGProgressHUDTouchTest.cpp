#include <gtest/gtest.h>

#include "platform/ui/TapGestureRecognizer.h"
#include "platform/ui/TouchSimulator.h"
#include "tests/ui/JGProgressHUD/HUDTestFixture.h"

namespace {

class JGProgressHUDTouchTest : public HUDTest {
  protected:
    void SetUp() override {
        HUDTest::SetUp();
        // The screen's content under the HUD, answering taps that reach it.
        auto below = std::make_shared<ui::View>(target->bounds());
        below->addGestureRecognizer(std::make_shared<ui::TapGestureRecognizer>(
            [this](ui::GestureRecognizer&) { ++tapsBelow; }));
        target->addSubview(below);
        hud = JGProgressHUD::make();
        hud->setTapOnHUDViewBlock([this](JGProgressHUD&) { ++tapsOnBox; });
        hud->setTapOutsideBlock([this](JGProgressHUD&) { ++tapsOutside; });
        hud->showInView(target, false);
    }
    void TearDown() override {
        hud.reset();
        HUDTest::TearDown();
    }

    void tapBox() {
        auto box = hud->HUDView()->frame();
        ui::TouchSimulator::tap(window, {box.midX(), box.midY()});
    }
    void tapBeside() { ui::TouchSimulator::tap(window, {20, 40}); }
    std::vector<int> counts() const { return {tapsBelow, tapsOnBox, tapsOutside}; }

    JGProgressHUD::Ptr hud;
    int tapsBelow = 0;
    int tapsOnBox = 0;
    int tapsOutside = 0;
};

}  // namespace

TEST_F(JGProgressHUDTouchTest, BlockingAllTouchesTakesTapsEverywhere) {
    hud->setInteractionType(JGProgressHUDInteractionType::blockAllTouches);
    tapBeside();
    EXPECT_EQ(counts(), (std::vector<int>{0, 0, 1}));
    tapBox();
    EXPECT_EQ(counts(), (std::vector<int>{0, 1, 1}));  // once, though two recognizers see it
}

TEST_F(JGProgressHUDTouchTest, BlockingTheBoxLetsTapsBesideItThrough) {
    hud->setInteractionType(JGProgressHUDInteractionType::blockTouchesOnHUDView);
    tapBeside();
    EXPECT_EQ(counts(), (std::vector<int>{1, 0, 0}));
    tapBox();
    EXPECT_EQ(counts(), (std::vector<int>{1, 1, 0}));
}

TEST_F(JGProgressHUDTouchTest, BlockingNothingRunsNoTapBlock) {
    for (auto type : {JGProgressHUDInteractionType::blockNoTouches,
                      static_cast<JGProgressHUDInteractionType>(7)}) {
        hud->setInteractionType(type);
        tapBeside();
        tapBox();
    }
    EXPECT_EQ(counts(), (std::vector<int>{4, 0, 0}));
}

TEST_F(JGProgressHUDTouchTest, MissingTapBlocksAreSkipped) {
    hud->setTapOnHUDViewBlock(nullptr);
    hud->setTapOutsideBlock(nullptr);
    tapBox();
    tapBeside();
    EXPECT_EQ(counts(), (std::vector<int>{0, 0, 0}));
}
