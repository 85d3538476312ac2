#include <gtest/gtest.h>

#include <algorithm>

#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/ViewAnimation.h"
#include "scanning/LBXScan/LBXScanView.h"
#include "tests/scanning/LBXScan/LBXScanTestFixture.h"

namespace {

std::shared_ptr<LBXScanView> makeScanView(double w, double h,
                                          std::shared_ptr<LBXScanViewStyle> style = nullptr) {
    return std::make_shared<LBXScanView>(graphics::Rect(0, 0, w, h),
                                         style ? style : std::make_shared<LBXScanViewStyle>());
}

template <typename T>
int countSubviews(const ui::View& view) {
    return static_cast<int>(
        std::count_if(view.subviews().begin(), view.subviews().end(),
                      [](const auto& v) { return std::dynamic_pointer_cast<T>(v) != nullptr; }));
}

// The pixels of `view` rendered as on screen, at 1:1.
std::shared_ptr<const graphics::Bitmap> draw(LBXScanView& view) {
    auto image = ui::ScreenRenderer::render(view, 1);
    EXPECT_NE(image, nullptr);
    return image ? image->bitmap() : nullptr;
}

}  // namespace

using LBXScanViewTest = LBXScanTest;

TEST_F(LBXScanViewTest, FrameGeometryFollowsTheStyle) {
    struct Case {
        double offset, ratio, upOffset, W, H;
        graphics::Rect expected;
    };
    const Case cases[] = {
        // Defaults on a phone: left 60, a 200 x 200 frame at 140 (bands 140 above, 228 below).
        {60, 1, 44, 320, 568, {60, 140, 200, 200}},
        // A ratio of 2 halves the height; 3 truncates 66.67 to 66.
        {60, 2, 44, 320, 568, {60, 190, 200, 100}},
        {60, 3, 44, 320, 568, {60, 207, 200, 66}},
        // The margin is used as a whole number.
        {60.9, 1, 0, 320, 480, {60, 140, 200, 200}},
    };
    for (const auto& c : cases) {
        auto style = std::make_shared<LBXScanViewStyle>();
        style->xScanRetangleOffset = c.offset;
        style->whRatio = c.ratio;
        style->centerUpOffset = c.upOffset;
        auto view = makeScanView(c.W, c.H, style);
        view->drawScanRect();  // no drawing context: computes the frame only
        EXPECT_EQ(view->scanRetangleRect(), c.expected)
            << "ratio " << c.ratio << " offset " << c.offset;
    }
}

TEST_F(LBXScanViewTest, DrawsDimmedBandsOutlineAndCornerMarks) {
    auto view = makeScanView(320, 568);
    auto pixels = draw(*view);
    const auto dimmed = graphics::Rgba8{0, 0, 0, 128};
    EXPECT_EQ(pixels->pixel(160, 70), dimmed);   // band above
    EXPECT_EQ(pixels->pixel(30, 240), dimmed);   // band left of the frame
    EXPECT_EQ(pixels->pixel(290, 240), dimmed);  // band right of it
    EXPECT_EQ(pixels->pixel(160, 500), dimmed);  // band below
    EXPECT_EQ(pixels->pixel(160, 240).a, 0);     // the frame stays clear
    EXPECT_GT(pixels->pixel(60, 240).a, 0);      // outline on the left edge
    // Style 1 puts the corner marks 7/3 points outside the edge: the vertical
    // stroke of the top-left mark covers x 54.2 ... 61.2.
    const auto angle = graphics::Rgba8{0, 167, 231, 255};
    EXPECT_EQ(pixels->pixel(55, 150), angle);
    EXPECT_EQ(pixels->pixel(264, 330), angle);  // bottom-right mark
    EXPECT_EQ(pixels->pixel(52, 150), dimmed);

    // Style 0 puts them inside, without an outline.
    auto style = std::make_shared<LBXScanViewStyle>();
    style->photoframeAngleStyle = 0;
    style->isNeedShowRetangle = false;
    auto inner = makeScanView(320, 568, style);
    pixels = draw(*inner);
    EXPECT_EQ(pixels->pixel(55, 150), dimmed);
    EXPECT_EQ(pixels->pixel(64, 150), angle);
    EXPECT_EQ(pixels->pixel(60, 240).a, 0);
}

TEST_F(LBXScanViewTest, NormalisedFrameForASixteenByNineVideo) {
    LBXScanViewStyle style;
    // 568 / 320 is below 16 / 9: the video fills the width, o = 320 * 1920 / 1080.
    ui::View phone(graphics::Rect(0, 0, 320, 568));
    const double o = 320.0 * 1920.0 / 1080.0;
    auto r = LBXScanView::getScanRectWithPreView(phone, style);
    EXPECT_DOUBLE_EQ(r.origin.x, (140 + (o - 568) / 2) / o);
    EXPECT_DOUBLE_EQ(r.origin.y, 60.0 / 320.0);
    EXPECT_DOUBLE_EQ(r.size.width, 200 / o);
    EXPECT_DOUBLE_EQ(r.size.height, 200.0 / 320.0);

    // 640 / 320 is above it: the video fills the height, t = 640 * 1080 / 1920.
    ui::View tall(graphics::Rect(0, 0, 320, 640));
    const double t = 640.0 * 1080.0 / 1920.0;
    r = LBXScanView::getScanRectWithPreView(tall, style);
    EXPECT_DOUBLE_EQ(r.origin.x, 176.0 / 640.0);
    EXPECT_DOUBLE_EQ(r.origin.y, (60 + (t - 320) / 2) / t);
    EXPECT_DOUBLE_EQ(r.size.width, 200.0 / 640.0);
    EXPECT_DOUBLE_EQ(r.size.height, 200 / t);

    // A preview without area has no frame (and no division by zero).
    ui::View empty;
    EXPECT_EQ(LBXScanView::getScanRectWithPreView(empty, style), graphics::Rect());
}

TEST_F(LBXScanViewTest, ReadyingSpinnerIsShownOnceAndRemoved) {
    auto view = makeScanView(320, 568);
    view->startDeviceReadyingWithText("Preparing Camera...");
    auto spinner = view->activityView();
    view->startDeviceReadyingWithText("Again");
    EXPECT_EQ(view->activityView(), spinner);
    EXPECT_EQ(countSubviews<ui::ActivityIndicatorView>(*view), 1);
    EXPECT_EQ(countSubviews<ui::Label>(*view), 1);

    ASSERT_TRUE(spinner);
    EXPECT_EQ(spinner->style(), ui::ActivityIndicatorViewStyle::whiteLarge);
    EXPECT_TRUE(spinner->isAnimating());
    EXPECT_EQ(spinner->frame(),
              graphics::Rect(95, 225, 30, 30));  // centred at (60 + 100 - 50, 284 - 44)
    auto label = view->labelReadying();
    EXPECT_EQ(label->frame(), graphics::Rect(135, 225, 100, 30));
    EXPECT_EQ(label->text(), "Preparing Camera...");
    EXPECT_EQ(label->font().pointSize(), 18);
    EXPECT_EQ(label->textColor(), graphics::Color::whiteColor());

    view->stopDeviceReadying();
    EXPECT_FALSE(view->activityView());
    EXPECT_FALSE(view->labelReadying());
    EXPECT_TRUE(view->subviews().empty());
    EXPECT_FALSE(spinner->isAnimating());
}

TEST_F(LBXScanViewTest, StartScanAnimationShowsTheStylesAnimation) {
    auto line = makeScanView(320, 568);
    line->drawScanRect();
    line->startScanAnimation();
    ASSERT_TRUE(line->scanLineAnimation());
    EXPECT_EQ(line->scanLineAnimation()->superview(), line);
    EXPECT_TRUE(line->scanLineAnimation()->isAnimationing());

    auto style = std::make_shared<LBXScanViewStyle>();
    style->anmiationStyle = 1;
    auto net = makeScanView(320, 568, style);
    net->drawScanRect();
    net->startScanAnimation();
    ASSERT_TRUE(net->scanNetAnimation());
    EXPECT_EQ(net->scanNetAnimation()->frame(), net->scanRetangleRect());

    // The still line without an image: an empty 2-point line, added once.
    style = std::make_shared<LBXScanViewStyle>();
    style->anmiationStyle = 2;
    auto still = makeScanView(320, 568, style);
    still->drawScanRect();
    still->startScanAnimation();
    still->startScanAnimation();
    ASSERT_TRUE(still->scanLineStill());
    EXPECT_EQ(still->scanLineStill()->frame(), graphics::Rect(80, 240, 160, 2));
    EXPECT_FALSE(still->scanLineStill()->image());
    EXPECT_EQ(countSubviews<ui::ImageView>(*still), 1);
    still->stopScanAnimation();
    EXPECT_TRUE(still->subviews().empty());

    style = std::make_shared<LBXScanViewStyle>();
    style->anmiationStyle = 7;
    auto none = makeScanView(320, 568, style);
    none->drawScanRect();
    none->startScanAnimation();
    EXPECT_TRUE(none->subviews().empty());

    line->stopScanAnimation();
    net->stopScanAnimation();
    EXPECT_FALSE(line->scanLineAnimation()->superview());
    EXPECT_TRUE(net->scanNetAnimation()->isHidden());
}

TEST_F(LBXScanViewTest, ScreenCaptureModeShowsTheIconInsteadOfTheAnimation) {
    auto parent = std::make_shared<ui::View>(graphics::Rect(0, 0, 320, 568));
    auto view = makeScanView(320, 568);
    parent->addSubview(view);
    view->setScreenCaptureModeProvider([] { return 1; });
    view->drawScanRect();
    view->startScanAnimation();
    EXPECT_FALSE(view->scanLineAnimation());
    ASSERT_EQ(view->subviews().size(), 1u);
    auto icon = std::dynamic_pointer_cast<ui::ImageView>(view->subviews()[0]);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->frame(),
              graphics::Rect(110, 190, 100, 100));  // a quarter of the width in on every side
    EXPECT_EQ(icon->contentMode(), ui::ContentMode::scaleAspectFit);
    EXPECT_EQ(parent->backgroundColor(), graphics::Color::blackColor());

    // Any other answer runs the animation as usual.
    auto normal = makeScanView(320, 568);
    normal->setScreenCaptureModeProvider([] { return 0; });
    normal->drawScanRect();
    normal->startScanAnimation();
    EXPECT_TRUE(normal->scanLineAnimation());
}
