#include "ui/JGProgressHUD/JGProgressHUDIndicatorView.h"

#include <cmath>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/RunLoop.h"
#include "ui/JGProgressHUD/JGProgressHUDStyle.h"

JGProgressHUDIndicatorView::Ptr JGProgressHUDIndicatorView::make(ui::View::Ptr contentView) {
    auto view = std::make_shared<JGProgressHUDIndicatorView>(Token{});
    view->initWithContentView(std::move(contentView));
    return view;
}

void JGProgressHUDIndicatorView::initWithContentView(ui::View::Ptr contentView) {
    setFrame(contentView ? contentView->frame() : graphics::Rect(0, 0, 50, 50));
    setOpaque(false);
    setBackgroundColor(graphics::Color::clearColor());
    setIsAccessibilityElement(true);
    setNeedsAccessibilityUpdate();
    contentView_ = std::move(contentView);
    if (contentView_) {
        addSubview(contentView_);
    }
}

void JGProgressHUDIndicatorView::setProgress(float progress, bool) {
    if (std::fabs(static_cast<double>(progress) - progress_) < kJGProgressHUDEpsilon) {
        return;
    }
    progress_ = progress;
    setNeedsAccessibilityUpdate();
}

void JGProgressHUDIndicatorView::setNeedsAccessibilityUpdate() {
    if (accessibilityUpdateScheduled_) {
        return;
    }
    accessibilityUpdateScheduled_ = true;
    auto self = std::static_pointer_cast<JGProgressHUDIndicatorView>(shared_from_this());
    foundation::RunLoop::current().perform(
        [self] { runBlock([self] { self->updateAccessibilityIfNeeded(); }); });
}

void JGProgressHUDIndicatorView::updateAccessibilityIfNeeded() {
    if (accessibilityUpdateScheduled_) {
        updateAccessibility();
        accessibilityUpdateScheduled_ = false;
    }
}

void JGProgressHUDIndicatorView::updateAccessibility() {
    setAccessibilityLabel(foundation::Bundle::main().localizedString("Loading") +
                          foundation::format(" %.f %%", static_cast<double>(progress_) * 100));
}

void JGProgressHUDIndicatorView::runBlock(const std::function<void()>& block) {
    if (block) {
        block();
    }
}
