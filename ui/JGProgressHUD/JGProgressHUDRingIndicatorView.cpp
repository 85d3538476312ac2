#include "ui/JGProgressHUD/JGProgressHUDRingIndicatorView.h"

#include <cmath>

#include "platform/ui/Screen.h"
#include "platform/ui/Transaction.h"

namespace {

constexpr double kAnimatedProgressDuration = 0.3;

}  // namespace

JGProgressHUDRingIndicatorView::JGProgressHUDRingIndicatorView(Token token)
    : JGProgressHUDIndicatorView(token),
      indicatorLayer_(std::make_shared<JGProgressHUDRingIndicatorLayer>()) {
    layer().addSublayer(indicatorLayer_);
}

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

void JGProgressHUDRingIndicatorView::setUpLayer() {
    indicatorLayer_->setContentsScale(ui::Screen::mainScreen().scale());
    indicatorLayer_->setNeedsDisplay();
}

void JGProgressHUDRingIndicatorView::setRingColor(std::optional<graphics::Color> color) {
    if (color == ringColor_) {
        return;
    }
    ringColor_ = color;
    indicatorLayer_->setRingColor(color);
}

void JGProgressHUDRingIndicatorView::setRingBackgroundColor(std::optional<graphics::Color> color) {
    if (color == ringBackgroundColor_) {
        return;
    }
    ringBackgroundColor_ = color;
    indicatorLayer_->setRingBackgroundColor(color);
}

void JGProgressHUDRingIndicatorView::setRoundProgressLine(bool round) {
    if (round == roundProgressLine_) {
        return;
    }
    roundProgressLine_ = round;
    indicatorLayer_->setRoundProgressLine(round);
}

void JGProgressHUDRingIndicatorView::setRingWidth(double width) {
    if (std::fabs(width - ringWidth_) < kJGProgressHUDEpsilon) {
        return;
    }
    ringWidth_ = width;
    indicatorLayer_->setRingWidth(width);
}

void JGProgressHUDRingIndicatorView::setProgress(float progress, bool animated) {
    if (std::fabs(static_cast<double>(progress) - this->progress()) < kJGProgressHUDEpsilon) {
        return;
    }
    JGProgressHUDIndicatorView::setProgress(progress, animated);
    ui::Transaction::begin();
    ui::Transaction::setAnimationDuration(animated ? kAnimatedProgressDuration : 0);
    indicatorLayer_->setProgress(progress);
    ui::Transaction::commit();
}

void JGProgressHUDRingIndicatorView::setFrame(const graphics::Rect& frame) {
    JGProgressHUDIndicatorView::setFrame(frame);
    indicatorLayer_->setFrame(bounds());
}

void JGProgressHUDRingIndicatorView::setBounds(const graphics::Rect& bounds) {
    JGProgressHUDIndicatorView::setBounds(bounds);
    indicatorLayer_->setFrame(this->bounds());
}
