// The scanner screen as the application's root: the overlay and the shared
// banner made when its view loads, the bars hidden and the camera run while it
// shows, the scan frame made once, the screen-capture demonstration and the
// style presets.

#include <gtest/gtest.h>

#include <cmath>

#include "ads/api/GADAdSize.h"
#include "ads/api/GADBannerView.h"
#include "app/OverlayCoverView.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/Window.h"
#include "tests/app/ScannerFixture.h"

namespace {

using ScannerScreenTest = ScannerFixture;

TEST_F(ScannerScreenTest, LaunchMakesTheScannerTheRootWithItsOverlayAndTheSharedBanner) {
    launch();
    ASSERT_EQ(delegate->window()->rootViewController(), nav());
    ASSERT_FALSE(nav()->viewControllers().empty());
    EXPECT_EQ(nav()->viewControllers().front(), scanner);
    EXPECT_EQ(scanner->className(), "ZBarReader2ViewController");

    // The overlay covers the reader, carries the cover, and the torch is off.
    EXPECT_EQ(overlay->superview(), scanner->view());
    ASSERT_TRUE(overlay->coverView());
    EXPECT_EQ(overlay->coverView()->superview(), overlay);
    EXPECT_EQ(scanner->readerView()->torchMode(), media::TorchMode::off);

    // The banner: 320 x 50 at (0, 60), its ad unit, this screen as its root
    // view controller and delegate; handed to the delegate, not loaded here.
    auto banner = delegate->bannerView_();
    ASSERT_TRUE(banner);
    EXPECT_EQ(banner->frame(), graphics::Rect(0, 60, 320, 50));
    EXPECT_TRUE(GADAdSizeIsEqualToAdSize(banner->adSize(), kGADAdSizeBanner));
    EXPECT_EQ(banner->adUnitID(), std::string(ZBarReader2ViewController::kBannerAdUnitID));
    EXPECT_EQ(banner->rootViewController(), scanner);
    EXPECT_EQ(std::dynamic_pointer_cast<ZBarReader2ViewController>(banner->delegate()), scanner);
    EXPECT_EQ(banner->superview(), nullptr);
}

TEST_F(ScannerScreenTest, ShowingRunsTheCameraWithoutBarsAndLeavingStopsIt) {
    launch();
    auto reader = scanner->readerView();
    ASSERT_TRUE(settle([&] { return reader->isRunning(); }));
    EXPECT_TRUE(nav()->isNavigationBarHidden());
    EXPECT_TRUE(nav()->isToolbarHidden());

    auto other = std::make_shared<NamedScreen>("other");
    nav()->pushViewController(other, false);
    nav()->setNavigationBarHidden(false);
    ASSERT_TRUE(settle([&] { return !reader->isStarted(); }));
    EXPECT_FALSE(reader->isRunning());

    nav()->popViewController(false);
    ASSERT_TRUE(settle([&] { return reader->isRunning(); }));
    EXPECT_TRUE(nav()->isNavigationBarHidden());
    EXPECT_TRUE(nav()->isToolbarHidden());
}

TEST_F(ScannerScreenTest, TheScanFrameIsMadeOnceBelowTheCoversButtons) {
    launch();
    auto frameView = scanner->qRScanView();
    ASSERT_TRUE(frameView);
    auto cover = overlay->coverView();
    ASSERT_FALSE(cover->subviews().empty());
    EXPECT_EQ(cover->subviews().front(), frameView);
    EXPECT_EQ(frameView->frame().size, scanner->view()->bounds().size);
    EXPECT_EQ(frameView->autoresizingMask(),
              ui::Autoresizing::flexibleWidth | ui::Autoresizing::flexibleHeight);
    // The preset in use: a frame 30 points in from each side, the net
    // animation running, the readying spinner gone.
    EXPECT_EQ(scanner->style(), frameView->viewStyle());
    EXPECT_EQ(frameView->scanRetangleRect().minX(), 30);
    EXPECT_EQ(frameView->scanRetangleRect().width(), 320 - 60);
    ASSERT_TRUE(frameView->scanNetAnimation());
    EXPECT_TRUE(frameView->scanNetAnimation()->isAnimationing());
    EXPECT_FALSE(frameView->activityView());

    // Coming back to the screen keeps the same scan frame.
    nav()->pushViewController(std::make_shared<NamedScreen>("other"), false);
    nav()->popViewController(false);
    clock->advance(1);
    EXPECT_EQ(scanner->qRScanView(), frameView);
    EXPECT_EQ(cover->subviews().front(), frameView);
}

TEST_F(ScannerScreenTest, TheScreenCaptureDemonstrationShowsTheMaskAndTheStillFrame) {
    launch();
    auto cover = overlay->coverView();
    delegate->setIn_screen_capture_mode(1);
    scanner->viewDidAppear(false);
    EXPECT_EQ(cover->backgroundColor(), std::optional(graphics::Color::blackColor()));
    auto mask = std::dynamic_pointer_cast<ui::ImageView>(cover->subviews().front());
    ASSERT_TRUE(mask);
    EXPECT_TRUE(mask->image());
    EXPECT_EQ(mask->contentMode(), ui::ContentMode::scaleAspectFit);
    EXPECT_EQ(mask->frame(), cover->viewWithTag(OverlayCoverView::kMaskPlaceTag)->frame());

    // The scan frame reads the second flag through the delegate: the
    // demonstration blackens its parent instead of animating.
    auto frameView = scanner->qRScanView();
    cover->setBackgroundColor(graphics::Color::clearColor());
    delegate->setIn_screen_capture_mode2(1);
    frameView->startScanAnimation();
    EXPECT_EQ(cover->backgroundColor(), std::optional(graphics::Color::blackColor()));
}

TEST_F(ScannerScreenTest, ASmallScreenGivesTheFrameANarrowerMargin) {
    auto screen = std::make_shared<ZBarReader2ViewController>();
    for (auto [height, offset] : {std::pair{480.0, 20.0}, {568.0, 30.0}, {479.0, 20.0}}) {
        ui::Screen::mainScreen().setBounds(graphics::Rect(0, 0, 320, height));
        screen->ZhiFuBaoStyle();
        EXPECT_EQ(screen->style()->xScanRetangleOffset, offset) << height;
    }
}

TEST_F(ScannerScreenTest, StylePresets) {
    struct Case {
        const char* name;
        void (ZBarReader2ViewController::*preset)();
        double centerUpOffset, xOffset;
        int angleStyle;
        double lineW, angleW, angleH;
        bool showRetangle;
        int animation;
    };
    // A preset that leaves a field alone keeps the style's default
    // (offset 60, outline shown).
    const Case cases[] = {
        {"qq", &ZBarReader2ViewController::qqStyle, 44, 60, 1, 6, 24, 24, true, 0},
        {"ZhiFuBao", &ZBarReader2ViewController::ZhiFuBaoStyle, 0, 30, 0, 2, 16, 16, false, 1},
        {"Inner", &ZBarReader2ViewController::InnerStyle, 44, 60, 0, 3, 18, 18, false, 0},
        {"weixin", &ZBarReader2ViewController::weixinStyle, 44, 60, 0, 2, 18, 18, true, 0},
        {"recoCropRect", &ZBarReader2ViewController::recoCropRect, 44, 80, 2, 6, 24, 24, true, 1},
        {"On", &ZBarReader2ViewController::OnStyle, 44, 60, 2, 6, 24, 24, true, 1},
        {"changeColor", &ZBarReader2ViewController::changeColor, 44, 60, 2, 6, 24, 24, true, 1},
        {"changeSize", &ZBarReader2ViewController::changeSize, 60, 100, 2, 6, 24, 24, true, 0},
        {"notSquare", &ZBarReader2ViewController::notSquare, 44, 30, 0, 4, 28, 16, false, 2},
    };
    auto screen = std::make_shared<ZBarReader2ViewController>();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto before = screen->style();
        (screen.get()->*c.preset)();
        const auto& style = screen->style();
        ASSERT_TRUE(style);
        EXPECT_NE(style, before);
        EXPECT_EQ(style->centerUpOffset, c.centerUpOffset);
        EXPECT_EQ(style->xScanRetangleOffset, c.xOffset);
        EXPECT_EQ(style->photoframeAngleStyle, c.angleStyle);
        EXPECT_EQ(style->photoframeLineW, c.lineW);
        EXPECT_EQ(style->photoframeAngleW, c.angleW);
        EXPECT_EQ(style->photoframeAngleH, c.angleH);
        EXPECT_EQ(style->isNeedShowRetangle, c.showRetangle);
        EXPECT_EQ(style->anmiationStyle, c.animation);
        EXPECT_TRUE(style->animationImage) << "the preset's image is in the bundle";
    }

    screen->ZhiFuBaoStyle();
    EXPECT_EQ(screen->style()->alpa_notRecoginitonArea, 0.6);
    screen->weixinStyle();
    EXPECT_EQ(screen->style()->colorAngle, graphics::Color::rgb(0, 200 / 255.0, 20 / 255.0, 1));
    screen->changeColor();
    EXPECT_EQ(screen->style()->colorRetangleLine,
              graphics::Color::rgb(247 / 255.0, 202 / 255.0, 15 / 255.0, 1));
    EXPECT_EQ(screen->style()->alpa_notRecoginitonArea, 0.2);
    EXPECT_EQ(screen->style()->green_notRecoginitonArea, 202 / 255.0);
    screen->notSquare();
    EXPECT_DOUBLE_EQ(screen->style()->whRatio, 1.9724770642201832);
    auto red = screen->style()->animationImage;
    EXPECT_EQ(red->size(), graphics::Size(1, 1));
    EXPECT_EQ(red->bitmap()->pixel(0, 0), (graphics::Rgba8{255, 0, 0, 255}));
}

}  // namespace
