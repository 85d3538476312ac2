#include "platform/ui/PopoverController.h"

#include <algorithm>

#include "platform/foundation/RunLoop.h"

namespace ui {

namespace {

std::vector<PopoverController::Ptr>& shown() {
    static std::vector<PopoverController::Ptr>* list = new std::vector<PopoverController::Ptr>();
    return *list;
}

}  // namespace

std::vector<PopoverController::Ptr> PopoverController::visiblePopovers() {
    return shown();
}

void PopoverController::presentFromRect(const graphics::Rect& rect, const View::Ptr& view,
                                        unsigned arrows, bool animated) {
    anchor_.setSourceView(view);
    anchor_.setSourceRect(rect);
    anchor_.setPermittedArrowDirections(arrows);
    show(animated);
}

void PopoverController::presentFromBarButtonItem(const std::shared_ptr<BarButtonItem>& item,
                                                 unsigned arrows, bool animated) {
    anchor_.setBarButtonItem(item);
    anchor_.setPermittedArrowDirections(arrows);
    show(animated);
}

void PopoverController::show(bool animated) {
    if (visible_ || !content_) {
        return;
    }
    visible_ = true;
    shown().push_back(shared_from_this());
    content_->beginAppearanceTransition(true, animated);
    auto content = content_;
    foundation::RunLoop::main().performAfter(animated ? ViewController::kTransitionDuration : 0,
                                             [content] { content->endAppearanceTransition(); });
}

void PopoverController::dismissPopover(bool animated) {
    if (!visible_) {
        return;
    }
    visible_ = false;
    auto keep = shared_from_this();
    auto& list = shown();
    list.erase(std::remove(list.begin(), list.end(), keep), list.end());
    if (content_) {
        content_->beginAppearanceTransition(false, animated);
        auto content = content_;
        foundation::RunLoop::main().performAfter(animated ? ViewController::kTransitionDuration : 0,
                                                 [content] { content->endAppearanceTransition(); });
    }
}

void PopoverController::tapOutside() {
    if (!visible_) {
        return;
    }
    auto keep = shared_from_this();
    if (auto d = delegate(); d && !d->popoverControllerShouldDismissPopover(*this)) {
        return;
    }
    dismissPopover(true);
    if (auto d = delegate()) {
        d->popoverControllerDidDismissPopover(*this);
    }
}

}  // namespace ui
