#include "ui/JGProgressHUD/JGProgressHUDSuccessIndicatorView.h"

#include "platform/foundation/Bundle.h"

std::shared_ptr<JGProgressHUDSuccessIndicatorView> JGProgressHUDSuccessIndicatorView::make() {
    auto view = std::make_shared<JGProgressHUDSuccessIndicatorView>(Token{});
    view->initWithImage(resourceImage("jg_hud_success"));
    return view;
}

void JGProgressHUDSuccessIndicatorView::updateAccessibility() {
    setAccessibilityLabel(foundation::Bundle::main().localizedString("Success"));
}
