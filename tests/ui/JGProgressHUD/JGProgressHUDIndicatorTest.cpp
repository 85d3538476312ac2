#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/ImageContext.h"
#include "platform/ui/ImageView.h"
#include "tests/ui/JGProgressHUD/HUDTestFixture.h"
#include "ui/JGProgressHUD/JGProgressHUDErrorIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDIndeterminateIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDPieIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDRingIndicatorView.h"
#include "ui/JGProgressHUD/JGProgressHUDSuccessIndicatorView.h"

using JGProgressHUDIndicatorTest = HUDTest;

namespace {

// Counts the accessibility label updates it makes.
class CountingIndicatorView : public JGProgressHUDIndicatorView {
  public:
    using JGProgressHUDIndicatorView::JGProgressHUDIndicatorView;
    static std::shared_ptr<CountingIndicatorView> make() {
        auto view = std::make_shared<CountingIndicatorView>(Token{});
        view->initWithContentView(nullptr);
        return view;
    }
    void updateAccessibility() override {
        ++updates;
        JGProgressHUDIndicatorView::updateAccessibility();
    }
    int updates = 0;
};

void runLoopTurn() {
    foundation::RunLoop::main().runUntilIdle();
}

// Draws `layer` (of `size`) into a fresh 1:1 image context and answers its pixels.
std::shared_ptr<graphics::Bitmap> draw(const JGProgressHUDIndicatorLayer& layer,
                                       graphics::Size size) {
    EXPECT_TRUE(graphics::beginImageContext(size, false, 1));
    auto* context = graphics::currentContext();
    layer.drawInContext(*context);
    EXPECT_EQ(graphics::currentContext(), context);  // restored after drawing
    auto bitmap = context->makeBitmap();
    graphics::endImageContext();
    return bitmap;
}

}  // namespace

TEST_F(JGProgressHUDIndicatorTest, BaseIndicatorSizesAndLabelsItself) {
    auto plain = JGProgressHUDIndicatorView::make();
    EXPECT_EQ(plain->frame(), graphics::Rect(0, 0, 50, 50));
    EXPECT_TRUE(plain->isAccessibilityElement());
    EXPECT_FALSE(plain->isOpaque());
    EXPECT_TRUE(plain->accessibilityUpdateScheduled());
    runLoopTurn();
    EXPECT_EQ(plain->accessibilityLabel(), "Loading 0 %");
    plain->setProgress(0.5f);
    runLoopTurn();
    EXPECT_EQ(plain->accessibilityLabel(), "Loading 50 %");

    auto content = std::make_shared<ui::View>(graphics::Rect(3, 4, 30, 20));
    auto wrapped = JGProgressHUDIndicatorView::make(content);
    EXPECT_EQ(wrapped->frame(), graphics::Rect(3, 4, 30, 20));
    EXPECT_EQ(wrapped->contentView(), content);
    EXPECT_EQ(content->superview(), wrapped);
}

TEST_F(JGProgressHUDIndicatorTest, ProgressChangesInOneTurnUpdateTheLabelOnce) {
    auto view = CountingIndicatorView::make();
    runLoopTurn();
    ASSERT_EQ(view->updates, 1);
    for (int i = 1; i <= 10; ++i) {
        view->setProgress(i / 10.0f);
    }
    EXPECT_EQ(view->accessibilityLabel(), "Loading 0 %");
    runLoopTurn();
    EXPECT_EQ(view->updates, 2);
    EXPECT_EQ(view->accessibilityLabel(), "Loading 100 %");

    // A change below the single-precision epsilon is no change.
    view->setProgress(1.0f + 5e-8f);
    EXPECT_FALSE(view->accessibilityUpdateScheduled());
}

TEST_F(JGProgressHUDIndicatorTest, ImageIndicatorsLoadTheirPicturesOrStayEmpty) {
    auto error = JGProgressHUDErrorIndicatorView::make();
    auto success = JGProgressHUDSuccessIndicatorView::make();
    runLoopTurn();
    EXPECT_EQ(error->accessibilityLabel(), "Error");
    EXPECT_EQ(success->accessibilityLabel(), "Success");
    ASSERT_TRUE(std::dynamic_pointer_cast<ui::ImageView>(error->contentView())->image());
    EXPECT_EQ(error->frame().size, (graphics::Size{28, 28}));

    // Without the resource bundle: no picture and no size, nothing reported.
    auto empty = std::filesystem::path(std::getenv("BARCODES_HOME")) / "no-resources";
    std::filesystem::create_directories(empty);
    setenv("BARCODES_RESOURCES", empty.c_str(), 1);
    auto missing = JGProgressHUDSuccessIndicatorView::make();
    unsetenv("BARCODES_RESOURCES");
    EXPECT_FALSE(std::dynamic_pointer_cast<ui::ImageView>(missing->contentView())->image());
    EXPECT_EQ(missing->frame(), graphics::Rect());
}

TEST_F(JGProgressHUDIndicatorTest, IndeterminateIndicatorSpins) {
    auto spinner = JGProgressHUDIndeterminateIndicatorView::make();
    EXPECT_EQ(spinner->frame().size, (graphics::Size{37, 37}));
    EXPECT_TRUE(spinner->activityIndicatorView()->isAnimating());
    EXPECT_EQ(spinner->activityIndicatorView()->style(),
              ui::ActivityIndicatorViewStyle::whiteLarge);
    EXPECT_EQ(spinner->activityIndicatorView()->color(), graphics::Color::blackColor());
    spinner->setColor(graphics::Color::redColor());
    EXPECT_EQ(spinner->activityIndicatorView()->color(), graphics::Color::redColor());
    runLoopTurn();
    EXPECT_EQ(spinner->accessibilityLabel(), "Indeterminate progress");
}

TEST_F(JGProgressHUDIndicatorTest, PieAndRingTakeTheirStylesColours) {
    auto pie = JGProgressHUDPieIndicatorView::make();
    EXPECT_EQ(pie->frame(), graphics::Rect(0, 0, 50, 50));
    EXPECT_EQ(pie->color(), graphics::Color::whiteColor());
    EXPECT_EQ(pie->indicatorLayer()->color(), graphics::Color::whiteColor());
    EXPECT_EQ(pie->indicatorLayer()->frame(), graphics::Rect(0, 0, 50, 50));
    EXPECT_EQ(pie->indicatorLayer()->contentsScale(), 2);

    auto ring = JGProgressHUDRingIndicatorView::make();
    EXPECT_EQ(ring->ringColor(), graphics::Color::whiteColor());
    EXPECT_EQ(ring->ringBackgroundColor(), graphics::Color::blackColor());
    EXPECT_EQ(ring->ringWidth(), 3);
    EXPECT_EQ(ring->indicatorLayer()->ringWidth(), 3);

    struct Case {
        JGProgressHUDStyle style;
        graphics::Color pieColor, pieFill, ringColor, ringBackground;
    };
    const Case cases[] = {
        {JGProgressHUDStyle::dark, graphics::Color::whiteColor(), graphics::Color::white(0.2),
         graphics::Color::whiteColor(), graphics::Color::blackColor()},
        {JGProgressHUDStyle::light, graphics::Color::blackColor(), graphics::Color::white(0.85),
         graphics::Color::blackColor(), graphics::Color::white(0.85)},
        {JGProgressHUDStyle::extraLight, graphics::Color::blackColor(), graphics::Color::white(0.9),
         graphics::Color::blackColor(), graphics::Color::white(0.9)},
    };
    for (const auto& c : cases) {
        auto styledPie = JGProgressHUDPieIndicatorView::makeWithHUDStyle(c.style);
        auto styledRing = JGProgressHUDRingIndicatorView::makeWithHUDStyle(c.style);
        EXPECT_EQ(styledPie->frame().size, (graphics::Size{50, 50}));
        EXPECT_EQ(styledPie->indicatorLayer()->color(), c.pieColor);
        EXPECT_EQ(styledPie->indicatorLayer()->fillColor(), c.pieFill);
        EXPECT_EQ(styledRing->indicatorLayer()->ringColor(), c.ringColor);
        EXPECT_EQ(styledRing->indicatorLayer()->ringBackgroundColor(), c.ringBackground);
    }

    // Unchanged values are not handed on (the layer keeps what was set on it).
    ring->indicatorLayer()->displayIfNeeded();
    ring->setRingWidth(3 + 1e-8);
    EXPECT_FALSE(ring->indicatorLayer()->needsDisplay());
    ring->setRoundProgressLine(true);
    EXPECT_TRUE(ring->indicatorLayer()->roundProgressLine());
    EXPECT_TRUE(ring->indicatorLayer()->needsDisplay());
}

TEST_F(JGProgressHUDIndicatorTest, LayersRedrawOnlyForTheirOwnProperties) {
    EXPECT_TRUE(JGProgressHUDPieIndicatorLayer::needsDisplayForKey("fillColor"));
    EXPECT_FALSE(JGProgressHUDPieIndicatorLayer::needsDisplayForKey("ringWidth"));
    EXPECT_TRUE(JGProgressHUDRingIndicatorLayer::needsDisplayForKey("roundProgressLine"));
    EXPECT_FALSE(JGProgressHUDRingIndicatorLayer::needsDisplayForKey("opacity"));
    JGProgressHUDRingIndicatorLayer layer;
    EXPECT_FALSE(layer.actionForKey("ringWidth"));
    EXPECT_TRUE(layer.actionForKey("progress"));
}

TEST_F(JGProgressHUDIndicatorTest, PieDrawsOutlineAndWedge) {
    auto pie = JGProgressHUDPieIndicatorView::makeWithHUDStyle(JGProgressHUDStyle::dark);
    const graphics::Size size{50, 50};
    const graphics::Rgba8 white{255, 255, 255, 255};
    const graphics::Rgba8 fill{51, 51, 51, 255};
    // Centre (25, 25), radius 23; the wedge grows clockwise from the top.
    auto pixels = draw(*pie->indicatorLayer(), size);
    EXPECT_EQ(pixels->pixel(35, 25), fill);  // progress 0: no wedge
    EXPECT_EQ(pixels->pixel(25, 2), white);  // the outline
    EXPECT_EQ(pixels->pixel(2, 2).a, 0);     // outside the circle
    pie->setProgress(0.5f);
    pixels = draw(*pie->indicatorLayer(), size);
    EXPECT_EQ(pixels->pixel(35, 25), white);  // right half filled
    EXPECT_EQ(pixels->pixel(15, 25), fill);   // left half not yet
    pie->setProgress(1.0f);
    pixels = draw(*pie->indicatorLayer(), size);
    EXPECT_EQ(pixels->pixel(15, 25), white);
}

TEST_F(JGProgressHUDIndicatorTest, RingDrawsBackgroundAndProgressArc) {
    auto ring = JGProgressHUDRingIndicatorView::makeWithHUDStyle(JGProgressHUDStyle::dark);
    const graphics::Size size{50, 50};
    const graphics::Rgba8 white{255, 255, 255, 255};
    const graphics::Rgba8 black{0, 0, 0, 255};
    // Radius 22, 3 wide: the ring covers 20.5 ... 23.5 from the centre.
    auto pixels = draw(*ring->indicatorLayer(), size);
    EXPECT_EQ(pixels->pixel(47, 25), black);
    EXPECT_EQ(pixels->pixel(25, 25).a, 0);
    ring->setProgress(0.5f);
    pixels = draw(*ring->indicatorLayer(), size);
    EXPECT_EQ(pixels->pixel(47, 25), white);
    EXPECT_EQ(pixels->pixel(2, 25), black);
    ring->setProgress(1.0f);
    pixels = draw(*ring->indicatorLayer(), size);
    EXPECT_EQ(pixels->pixel(2, 25), white);
}

TEST_F(JGProgressHUDIndicatorTest, AnimatedProgressMovesFromTheValueOnScreen) {
    auto ring = JGProgressHUDRingIndicatorView::make();
    const auto& layer = ring->indicatorLayer();
    ring->setProgress(1.0f, true);
    EXPECT_EQ(layer->progress(), 1.0f);
    EXPECT_EQ(layer->presentationProgress(), 0.0f);
    auto action = layer->animationForKey("progress");
    ASSERT_TRUE(action);
    EXPECT_DOUBLE_EQ(action->duration, 0.3);
    EXPECT_EQ(action->timingFunction, ui::TimingFunction::easeInEaseOut);
    advance(0.15);
    EXPECT_NEAR(layer->presentationProgress(), 0.5,
                1e-6);  // ease in, ease out: half way at half time

    // Interrupted: the new animation starts where the old one is now.
    ring->setProgress(0.0f, true);
    EXPECT_NEAR(layer->presentationProgress(), 0.5, 1e-6);
    advance(0.15);
    EXPECT_NEAR(layer->presentationProgress(), 0.25, 1e-6);
    advance(0.15);
    EXPECT_EQ(layer->presentationProgress(), 0.0f);

    // Without animation the value on screen jumps.
    ring->setProgress(0.75f, false);
    EXPECT_EQ(layer->presentationProgress(), 0.75f);
    EXPECT_FALSE(layer->animationForKey("progress"));
}

TEST_F(JGProgressHUDIndicatorTest, HUDForwardsItsProgress) {
    auto hud = JGProgressHUD::make();
    auto pie = JGProgressHUDPieIndicatorView::make();
    hud->setIndicatorView(pie);
    hud->setProgress(0.4f);
    EXPECT_EQ(pie->progress(), 0.4f);
    hud->setIndicatorView(nullptr);
    hud->setProgress(0.6f);  // no indicator: kept only
    EXPECT_EQ(hud->progress(), 0.6f);
}
