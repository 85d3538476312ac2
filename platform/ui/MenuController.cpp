#include "platform/ui/MenuController.h"

#include "platform/foundation/ProcessState.h"
#include "platform/ui/Responder.h"

namespace ui {

MenuController& MenuController::shared() {
    static MenuController* menu = foundation::ProcessState::withReset(new MenuController());
    return *menu;
}

void MenuController::setTargetRect(const graphics::Rect& rect, const std::shared_ptr<View>& view) {
    targetRect_ = rect;
    targetView_ = view;
}

std::vector<std::string> MenuController::visibleItemTitles() const {
    std::vector<std::string> titles;
    if (!visible_) {
        return titles;
    }
    if (auto responder = Responder::firstResponder()) {
        for (auto action : kEditActions) {
            if (responder->canPerformAction(action)) {
                titles.push_back(editActionTitle(action));
            }
        }
    }
    for (const auto& item : items_) {
        titles.push_back(item.title);
    }
    return titles;
}

bool MenuController::tapItem(const std::string& title) {
    if (!visible_) {
        return false;
    }
    auto responder = Responder::firstResponder();
    for (auto action : kEditActions) {
        if (responder && editActionTitle(action) == title && responder->canPerformAction(action)) {
            visible_ = false;
            responder->performEditAction(action);
            return true;
        }
    }
    for (const auto& item : items_) {
        if (item.title == title) {
            visible_ = false;
            if (item.action) {
                item.action();
            }
            return true;
        }
    }
    return false;
}

void MenuController::reset() {
    *this = MenuController();
}

}  // namespace ui
