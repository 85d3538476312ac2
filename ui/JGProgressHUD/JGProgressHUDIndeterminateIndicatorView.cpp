#include "ui/JGProgressHUD/JGProgressHUDIndeterminateIndicatorView.h"

#include "platform/foundation/Bundle.h"

std::shared_ptr<JGProgressHUDIndeterminateIndicatorView>
JGProgressHUDIndeterminateIndicatorView::makeWithHUDStyle(JGProgressHUDStyle style) {
    auto spinner =
        std::make_shared<ui::ActivityIndicatorView>(ui::ActivityIndicatorViewStyle::whiteLarge);
    spinner->startAnimating();
    auto view = std::make_shared<JGProgressHUDIndeterminateIndicatorView>(Token{});
    view->initWithContentView(spinner);
    if (style != JGProgressHUDStyle::dark) {
        view->setColor(graphics::Color::blackColor());
    }
    return view;
}

std::shared_ptr<JGProgressHUDIndeterminateIndicatorView>
JGProgressHUDIndeterminateIndicatorView::make() {
    return makeWithHUDStyle(JGProgressHUDStyle::extraLight);
}

void JGProgressHUDIndeterminateIndicatorView::setColor(std::optional<graphics::Color> color) {
    if (auto spinner = activityIndicatorView()) {
        spinner->setColor(color);
    }
}

std::shared_ptr<ui::ActivityIndicatorView>
JGProgressHUDIndeterminateIndicatorView::activityIndicatorView() const {
    return std::dynamic_pointer_cast<ui::ActivityIndicatorView>(contentView());
}

void JGProgressHUDIndeterminateIndicatorView::updateAccessibility() {
    setAccessibilityLabel(foundation::Bundle::main().localizedString("Indeterminate progress"));
}
