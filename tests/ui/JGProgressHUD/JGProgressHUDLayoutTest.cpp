#include <gtest/gtest.h>

#include "tests/ui/JGProgressHUD/HUDTestFixture.h"
#include "ui/JGProgressHUD/JGProgressHUDIndeterminateIndicatorView.h"

using JGProgressHUDLayoutTest = HUDTest;

namespace {

// A HUD of `style` with a plain 50 x 50 indicator.
JGProgressHUD::Ptr hudWith50PointIndicator(JGProgressHUDStyle style = JGProgressHUDStyle::dark) {
    auto hud = JGProgressHUD::progressHUDWithStyle(style);
    hud->setIndicatorView(JGProgressHUDIndicatorView::make());
    return hud;
}

}  // namespace

TEST_F(JGProgressHUDLayoutTest, DefaultsAndStyles) {
    auto hud = JGProgressHUD::make();  // init: the extra light style
    EXPECT_EQ(hud->style(), JGProgressHUDStyle::extraLight);
    EXPECT_TRUE(hud->isHidden());
    EXPECT_FALSE(hud->isVisible());
    EXPECT_EQ(hud->frame(), graphics::Rect());
    EXPECT_EQ(hud->cornerRadius(), 10);
    EXPECT_EQ(hud->contentInsets(), (graphics::EdgeInsets{20, 20, 20, 20}));
    EXPECT_EQ(hud->marginInsets(), (graphics::EdgeInsets{20, 20, 20, 20}));
    EXPECT_EQ(hud->layoutChangeAnimationDuration(), 0.3);
    EXPECT_EQ(hud->interactionType(), JGProgressHUDInteractionType::blockAllTouches);
    auto spinner =
        std::dynamic_pointer_cast<JGProgressHUDIndeterminateIndicatorView>(hud->indicatorView());
    ASSERT_TRUE(spinner);
    EXPECT_EQ(spinner->activityIndicatorView()->color(), graphics::Color::blackColor());

    struct Case {
        JGProgressHUDStyle style;
        graphics::Color box;
        graphics::Color text;
        std::optional<graphics::Color> spinner;
    };
    const Case cases[] = {
        {JGProgressHUDStyle::extraLight, graphics::Color::white(1, 0.95),
         graphics::Color::blackColor(), graphics::Color::blackColor()},
        {JGProgressHUDStyle::light, graphics::Color::white(1, 0.75), graphics::Color::blackColor(),
         graphics::Color::blackColor()},
        // The dark style keeps the spinner's own white.
        {JGProgressHUDStyle::dark, graphics::Color::white(0, 0.8), graphics::Color::whiteColor(),
         std::nullopt},
    };
    for (const auto& c : cases) {
        auto styled = JGProgressHUD::progressHUDWithStyle(c.style);
        EXPECT_EQ(styled->HUDView()->backgroundColor(), c.box);
        EXPECT_EQ(styled->HUDView()->layer().cornerRadius(), 10);
        EXPECT_EQ(styled->contentView(), styled->HUDView());
        EXPECT_EQ(styled->textLabel()->textColor(), c.text);
        EXPECT_EQ(styled->textLabel()->font(), ui::Font::boldSystemFontOfSize(15));
        EXPECT_EQ(styled->detailTextLabel()->font(), ui::Font::systemFontOfSize(13));
        EXPECT_EQ(styled->textLabel()->numberOfLines(), 0);
        auto indicator = std::dynamic_pointer_cast<JGProgressHUDIndeterminateIndicatorView>(
            styled->indicatorView());
        EXPECT_EQ(indicator->activityIndicatorView()->color(), c.spinner);
    }
}

TEST_F(JGProgressHUDLayoutTest, BoxWrapsTheIndicatorAndTexts) {
    // No texts: the indicator plus 20 on every side, centred in the target.
    auto hud = hudWith50PointIndicator();
    hud->showInView(target, false);
    EXPECT_EQ(hud->frame(), target->bounds());
    EXPECT_EQ(hud->HUDView()->frame(), graphics::Rect(115, 239, 90, 90));
    EXPECT_EQ(hud->indicatorView()->frame(), graphics::Rect(20, 20, 50, 50));

    // A text goes 10 below the indicator (bold 15: 7 characters of 8.25 points, 18 high).
    hud->textLabel()->setText("Loading");
    EXPECT_EQ(hud->textLabel()->frame(), graphics::Rect(20, 80, 58, 18));
    EXPECT_EQ(hud->HUDView()->frame().size, (graphics::Size{98, 118}));
    EXPECT_EQ(hud->indicatorView()->frame().origin.x, 24);  // centred in the box

    // A detail text goes 5 below the text.
    hud->detailTextLabel()->setText("Hi");
    EXPECT_EQ(hud->detailTextLabel()->frame(), graphics::Rect(42.5, 103, 13, 16));
    EXPECT_EQ(hud->HUDView()->frame().size, (graphics::Size{98, 139}));

    // The box is never wider than the frame less the margins.
    hud->setIndicatorView(JGProgressHUDIndicatorView::make(
        std::make_shared<ui::View>(graphics::Rect(0, 0, 300, 10))));
    EXPECT_EQ(hud->HUDView()->frame().width(), 280);
}

TEST_F(JGProgressHUDLayoutTest, EmptyAndMissingTextsKeepTheirSpacingRules) {
    // A text label with empty text adds nothing.
    auto hud = hudWith50PointIndicator();
    hud->textLabel()->setText("");
    hud->showInView(target, false);
    EXPECT_EQ(hud->HUDView()->frame().size, (graphics::Size{90, 90}));

    // A detail label with empty text still adds 5 below the (empty) text.
    auto detailOnly = hudWith50PointIndicator();
    detailOnly->detailTextLabel();
    detailOnly->showInView(target, false);
    EXPECT_EQ(detailOnly->HUDView()->frame().size, (graphics::Size{90, 95}));
    detailOnly->dismissAnimated(false);

    // No text label but a detail text: 10 below the indicator.
    auto detail = hudWith50PointIndicator();
    detail->detailTextLabel()->setText("Hi");
    detail->showInView(target, false);
    EXPECT_EQ(detail->detailTextLabel()->frame().origin.y, 80);
    EXPECT_EQ(detail->HUDView()->frame().height(), 116);
}

TEST_F(JGProgressHUDLayoutTest, SquareBoxCentresItsContent) {
    auto hud = hudWith50PointIndicator();
    hud->setSquare(true);
    hud->textLabel()->setText("Loading please wait");  // 157 wide
    hud->showInView(target, false);
    EXPECT_EQ(hud->HUDView()->frame().size, (graphics::Size{197, 197}));
    // The content (118 high) moves down by (197 - 118) / 2.
    EXPECT_EQ(hud->indicatorView()->frame().origin.y, 59.5);
    EXPECT_EQ(hud->textLabel()->frame().origin.y, 119.5);
}

TEST_F(JGProgressHUDLayoutTest, PositionsPlaceTheBox) {
    struct Case {
        JGProgressHUDPosition position;
        graphics::Point origin;
    };
    const Case cases[] = {
        {JGProgressHUDPosition::center, {115, 239}},
        {JGProgressHUDPosition::topLeft, {20, 20}},
        {JGProgressHUDPosition::topCenter, {115, 20}},
        {JGProgressHUDPosition::topRight, {210, 20}},
        {JGProgressHUDPosition::centerLeft, {20, 239}},
        {JGProgressHUDPosition::centerRight, {210, 239}},
        {JGProgressHUDPosition::bottomLeft, {20, 458}},
        {JGProgressHUDPosition::bottomCenter, {115, 458}},
        {JGProgressHUDPosition::bottomRight, {210, 458}},
        {static_cast<JGProgressHUDPosition>(9), {0, 0}},
    };
    auto hud = hudWith50PointIndicator();
    hud->showInView(target, false);
    for (const auto& c : cases) {
        hud->setPosition(c.position);
        EXPECT_EQ(hud->HUDView()->frame().origin, c.origin) << static_cast<unsigned>(c.position);
    }
}

TEST_F(JGProgressHUDLayoutTest, FramesSnapToThePixelGrid) {
    auto hud = JGProgressHUD::make();
    hud->setIndicatorView(
        JGProgressHUDIndicatorView::make(std::make_shared<ui::View>(graphics::Rect(0, 0, 51, 51))));
    hud->showInView(target, false);
    EXPECT_EQ(hud->HUDView()->frame(),
              graphics::Rect(114.5, 238.5, 91, 91));  // scale 2: half points

    ui::Screen::mainScreen().setScale(1);
    auto whole = JGProgressHUD::make();
    whole->setIndicatorView(
        JGProgressHUDIndicatorView::make(std::make_shared<ui::View>(graphics::Rect(0, 0, 51, 51))));
    whole->showInView(target, false);
    EXPECT_EQ(whole->HUDView()->frame(), graphics::Rect(114, 238, 91, 91));
}

TEST_F(JGProgressHUDLayoutTest, UnchangedSettersSkipTheRelayout) {
    auto hud = hudWith50PointIndicator();
    hud->showInView(target, false);
    // Move the box by hand: only a real change lays it out again.
    hud->HUDView()->setFrame(graphics::Rect(0, 0, 10, 10));
    hud->setPosition(JGProgressHUDPosition::center);
    hud->setSquare(false);
    hud->setContentInsets({20, 20, 20, 20});
    hud->setCornerRadius(10 + 1e-8);
    EXPECT_EQ(hud->HUDView()->frame(), graphics::Rect(0, 0, 10, 10));
    EXPECT_EQ(hud->cornerRadius(), 10);
    hud->setMarginInsets({20, 20, 20, 21});
    EXPECT_EQ(hud->HUDView()->frame(), graphics::Rect(115, 239, 90, 90));
    hud->setCornerRadius(4);
    EXPECT_EQ(hud->HUDView()->layer().cornerRadius(), 4);
}

TEST_F(JGProgressHUDLayoutTest, FindsHUDsButNotThoseInsideHUDs) {
    auto container = std::make_shared<ui::View>(graphics::Rect(0, 0, 320, 568));
    target->addSubview(container);
    auto direct = JGProgressHUD::make();
    auto nested = JGProgressHUD::make();
    auto inner = JGProgressHUD::make();
    direct->showInView(target, false);
    nested->showInView(container, false);
    inner->showInView(nested, false);
    EXPECT_EQ(JGProgressHUD::allProgressHUDsInView(*target),
              (std::vector<JGProgressHUD::Ptr>{direct}));
    EXPECT_EQ(JGProgressHUD::allProgressHUDsInViewHierarchy(*target),
              (std::vector<JGProgressHUD::Ptr>{nested, direct}));
}
