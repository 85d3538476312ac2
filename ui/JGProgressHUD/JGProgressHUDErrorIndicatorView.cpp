#include "ui/JGProgressHUD/JGProgressHUDErrorIndicatorView.h"

#include "platform/foundation/Bundle.h"

std::shared_ptr<JGProgressHUDErrorIndicatorView> JGProgressHUDErrorIndicatorView::make() {
    auto view = std::make_shared<JGProgressHUDErrorIndicatorView>(Token{});
    view->initWithImage(resourceImage("jg_hud_error"));
    return view;
}

void JGProgressHUDErrorIndicatorView::updateAccessibility() {
    setAccessibilityLabel(foundation::Bundle::main().localizedString("Error"));
}
