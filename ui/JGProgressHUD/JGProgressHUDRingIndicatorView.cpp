#include "ui/JGProgressHUD/JGProgressHUDRingIndicatorView.h"

#include <cmath>

JGProgressHUDRingIndicatorView::JGProgressHUDRingIndicatorView(Token token)
    : JGProgressHUDLayerIndicatorView(token) {}

std::shared_ptr<JGProgressHUDRingIndicatorView> JGProgressHUDRingIndicatorView::make(
    ui::View::Ptr contentView) {
    auto view = std::make_shared<JGProgressHUDRingIndicatorView>(Token{});
    view->initWithContentView(std::move(contentView));
    view->setUpLayer();
    view->setRingColor(graphics::Color::whiteColor());
    view->setRingBackgroundColor(graphics::Color::blackColor());
    view->setRingWidth(3);
    return view;
}

std::shared_ptr<JGProgressHUDRingIndicatorView> JGProgressHUDRingIndicatorView::makeWithHUDStyle(
    JGProgressHUDStyle style) {
    auto view = make();
    view->setUpLayer();
    switch (style) {
        case JGProgressHUDStyle::dark:
            view->setRingColor(graphics::Color::whiteColor());
            view->setRingBackgroundColor(graphics::Color::blackColor());
            break;
        case JGProgressHUDStyle::light:
            view->setRingColor(graphics::Color::blackColor());
            view->setRingBackgroundColor(graphics::Color::white(0.85, 1));
            break;
        default:
            view->setRingColor(graphics::Color::blackColor());
            view->setRingBackgroundColor(graphics::Color::white(0.9, 1));
            break;
    }
    return view;
}

void JGProgressHUDRingIndicatorView::setRingColor(std::optional<graphics::Color> color) {
    if (color == ringColor_) {
        return;
    }
    ringColor_ = color;
    indicatorLayer()->setRingColor(color);
}

void JGProgressHUDRingIndicatorView::setRingBackgroundColor(std::optional<graphics::Color> color) {
    if (color == ringBackgroundColor_) {
        return;
    }
    ringBackgroundColor_ = color;
    indicatorLayer()->setRingBackgroundColor(color);
}

void JGProgressHUDRingIndicatorView::setRoundProgressLine(bool round) {
    if (round == roundProgressLine_) {
        return;
    }
    roundProgressLine_ = round;
    indicatorLayer()->setRoundProgressLine(round);
}

void JGProgressHUDRingIndicatorView::setRingWidth(double width) {
    if (std::fabs(width - ringWidth_) < kJGProgressHUDEpsilon) {
        return;
    }
    ringWidth_ = width;
    indicatorLayer()->setRingWidth(width);
}
