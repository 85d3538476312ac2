#include "ads/presentation/GADBrowserWebView.h"

#include "ads/presentation/GADBrowserViewController.h"

void GADBrowserWebView::setViewController(const std::shared_ptr<ui::ViewController>& controller) {
    if (std::dynamic_pointer_cast<GADBrowserViewController>(controller)) {
        GADWebView::setViewController(controller);
    }
}

std::shared_ptr<GADBrowserViewController> GADBrowserWebView::browserViewController() const {
    return std::dynamic_pointer_cast<GADBrowserViewController>(viewController());
}
