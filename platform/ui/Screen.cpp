#include "platform/ui/Screen.h"

#include "platform/foundation/ProcessState.h"
#include "platform/ui/Application.h"

namespace ui {

Screen& Screen::mainScreen() {
    static Screen* screen = foundation::ProcessState::withReset(new Screen());
    return *screen;
}

graphics::Rect Screen::applicationFrame() const {
    if (Application::shared().isStatusBarHidden()) {
        return bounds_;
    }
    return graphics::Rect(bounds_.origin.x, bounds_.origin.y + kStatusBarHeight, bounds_.size.width,
                          bounds_.size.height - kStatusBarHeight);
}

void Screen::reset() {
    bounds_ = graphics::Rect(0, 0, 320, 568);
    scale_ = 2;
}

}  // namespace ui
