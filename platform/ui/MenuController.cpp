#include "platform/ui/MenuController.h"

#include "platform/foundation/ProcessState.h"

namespace ui {

MenuController& MenuController::shared() {
    static MenuController* menu = foundation::ProcessState::withReset(new MenuController());
    return *menu;
}

void MenuController::setTargetRect(const graphics::Rect& rect, const std::shared_ptr<View>& view) {
    targetRect_ = rect;
    targetView_ = view;
}

void MenuController::reset() {
    *this = MenuController();
}

}  // namespace ui
