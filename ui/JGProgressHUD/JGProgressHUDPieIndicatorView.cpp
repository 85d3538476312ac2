#include "ui/JGProgressHUD/JGProgressHUDPieIndicatorView.h"

#include <cmath>

#include "platform/ui/Screen.h"
#include "platform/ui/Transaction.h"

namespace {

constexpr double kAnimatedProgressDuration = 0.3;

}  // namespace

JGProgressHUDPieIndicatorView::JGProgressHUDPieIndicatorView(Token token)
    : JGProgressHUDIndicatorView(token),
      indicatorLayer_(std::make_shared<JGProgressHUDPieIndicatorLayer>()) {
    layer().addSublayer(indicatorLayer_);
}

std::shared_ptr<JGProgressHUDPieIndicatorView> JGProgressHUDPieIndicatorView::make(
    ui::View::Ptr contentView) {
    auto view = std::make_shared<JGProgressHUDPieIndicatorView>(Token{});
    view->initWithContentView(std::move(contentView));
    view->setUpLayer();
    view->setColor(graphics::Color::whiteColor());
    return view;
}

std::shared_ptr<JGProgressHUDPieIndicatorView> JGProgressHUDPieIndicatorView::makeWithHUDStyle(
    JGProgressHUDStyle style) {
    auto view = make();
    view->setUpLayer();
    switch (style) {
        case JGProgressHUDStyle::dark:
            view->setColor(graphics::Color::whiteColor());
            view->setFillColor(graphics::Color::white(0.2, 1));
            break;
        case JGProgressHUDStyle::light:
            view->setColor(graphics::Color::blackColor());
            view->setFillColor(graphics::Color::white(0.85, 1));
            break;
        default:
            view->setColor(graphics::Color::blackColor());
            view->setFillColor(graphics::Color::white(0.9, 1));
            break;
    }
    return view;
}

void JGProgressHUDPieIndicatorView::setUpLayer() {
    indicatorLayer_->setContentsScale(ui::Screen::mainScreen().scale());
    indicatorLayer_->setNeedsDisplay();
}

void JGProgressHUDPieIndicatorView::setColor(std::optional<graphics::Color> color) {
    if (color == color_) {
        return;
    }
    color_ = color;
    indicatorLayer_->setColor(color);
}

void JGProgressHUDPieIndicatorView::setFillColor(std::optional<graphics::Color> color) {
    if (color == fillColor_) {
        return;
    }
    fillColor_ = color;
    indicatorLayer_->setFillColor(color);
}

void JGProgressHUDPieIndicatorView::setProgress(float progress, bool animated) {
    if (std::fabs(static_cast<double>(progress) - this->progress()) < kJGProgressHUDEpsilon) {
        return;
    }
    JGProgressHUDIndicatorView::setProgress(progress, animated);
    ui::Transaction::begin();
    ui::Transaction::setAnimationDuration(animated ? kAnimatedProgressDuration : 0);
    indicatorLayer_->setProgress(progress);
    ui::Transaction::commit();
}

void JGProgressHUDPieIndicatorView::setFrame(const graphics::Rect& frame) {
    JGProgressHUDIndicatorView::setFrame(frame);
    indicatorLayer_->setFrame(bounds());
}

void JGProgressHUDPieIndicatorView::setBounds(const graphics::Rect& bounds) {
    JGProgressHUDIndicatorView::setBounds(bounds);
    indicatorLayer_->setFrame(this->bounds());
}
