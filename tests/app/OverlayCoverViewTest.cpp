// The scanner's cover: its buttons and hidden pictures as it wakes, and the
// figure that turns and pulses on the step timer.

#include <gtest/gtest.h>

#include <cmath>

#include "app/OverlayCoverView.h"
#include "platform/foundation/Clock.h"
#include "platform/graphics/Image.h"
#include "tests/app/ScannerFixture.h"

namespace {

using OverlayCoverViewTest = ScannerFixture;

bool sameTemplateImage(const graphics::Image::Ptr& shown, const std::string& name) {
    return shown && shown->renderingMode() == graphics::RenderingMode::alwaysTemplate &&
           samePixels(shown, graphics::Image::imageNamed(name));
}

TEST_F(OverlayCoverViewTest, WakingShowsTemplateIconsAndHidesThePictures) {
    auto cover = OverlayCoverView::loadFromNib();
    EXPECT_TRUE(
        sameTemplateImage(cover->btnAlbum()->imageForState(ui::ControlState::normal), "album"));
    EXPECT_TRUE(
        sameTemplateImage(cover->btnHistory()->imageForState(ui::ControlState::normal), "history"));
    EXPECT_TRUE(
        sameTemplateImage(cover->btnMenu()->imageForState(ui::ControlState::normal), "return"));
    EXPECT_TRUE(
        sameTemplateImage(cover->btnLight()->imageForState(ui::ControlState::normal), "flash_on"));
    EXPECT_EQ(cover->imageMask()->image()->renderingMode(),
              graphics::RenderingMode::alwaysTemplate);
    EXPECT_EQ(cover->imageSS()->image()->renderingMode(), graphics::RenderingMode::alwaysTemplate);
    EXPECT_TRUE(cover->imageMask()->isHidden());
    EXPECT_TRUE(cover->imageSS()->isHidden());
    EXPECT_TRUE(cover->labelScanning()->isHidden());
    EXPECT_TRUE(cover->viewWithTag(OverlayCoverView::kFigureTag));
    EXPECT_TRUE(cover->viewWithTag(OverlayCoverView::kMaskPlaceTag));
}

TEST_F(OverlayCoverViewTest, TheFigureTurnsAndPulsesOverTwoHundredSteps) {
    auto cover = OverlayCoverView::loadFromNib();
    cover->stop();
    auto figure = cover->viewWithTag(OverlayCoverView::kFigureTag);
    // Waking took the first step (theta 0).
    ASSERT_EQ(cover->theta(), 1);
    struct Step {
        int theta;
        double scale;  // largest at 0 and pi, smallest at pi/2 and 3 pi/2
    };
    for (Step step :
         {Step{0, 1.5}, Step{50, 0.5}, Step{100, 1.5}, Step{150, 0.5}, Step{199, 1.5}}) {
        SCOPED_TRACE(step.theta);
        while (cover->theta() != step.theta)
            cover->move();
        cover->move();
        EXPECT_EQ(cover->theta(), (step.theta + 1) % 200);
        const auto t = figure->transform();
        const double angle = step.theta * M_PI / 100;
        const double scale = std::hypot(t.a, t.b);
        EXPECT_NEAR(scale, step.scale, 2e-3);
        EXPECT_NEAR(t.a / scale, std::cos(angle), 1e-6);
        EXPECT_NEAR(t.b / scale, std::sin(angle), 1e-6);
    }
    // Step 199 wrapped theta to 0.
    EXPECT_EQ(cover->theta(), 0);
}

TEST_F(OverlayCoverViewTest, TheStepTimerRunsUntilStoppedAndNotInTheDemonstration) {
    auto cover = OverlayCoverView::loadFromNib();
    ASSERT_TRUE(cover->timer());
    EXPECT_FLOAT_EQ(static_cast<float>(cover->timer()->timeInterval()), 0.01f);
    clock->advance(0.105);
    EXPECT_EQ(cover->theta(), 11);  // one step at once, then ten on the timer

    cover->stop();
    EXPECT_FALSE(cover->timer());
    clock->advance(0.1);
    EXPECT_EQ(cover->theta(), 11);

    // Releasing the cover ends its timer.
    cover->start();
    std::weak_ptr<foundation::Timer> timer = cover->timer();
    cover.reset();
    if (auto left = timer.lock()) {
        EXPECT_FALSE(left->isValid());
    }

    // In the screen-capture demonstration the figure stands still.
    launch();
    delegate->setIn_screen_capture_mode(1);
    auto still = OverlayCoverView::loadFromNib();
    EXPECT_FALSE(still->timer());
    EXPECT_EQ(still->theta(), 0);
}

}  // namespace
