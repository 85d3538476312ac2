#include "ui/JGProgressHUD/JGProgressHUDPieIndicatorView.h"

JGProgressHUDPieIndicatorView::JGProgressHUDPieIndicatorView(Token token)
    : JGProgressHUDLayerIndicatorView(token) {}

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

void JGProgressHUDPieIndicatorView::setColor(std::optional<graphics::Color> color) {
    if (color == color_) {
        return;
    }
    color_ = color;
    indicatorLayer()->setColor(color);
}

void JGProgressHUDPieIndicatorView::setFillColor(std::optional<graphics::Color> color) {
    if (color == fillColor_) {
        return;
    }
    fillColor_ = color;
    indicatorLayer()->setFillColor(color);
}
