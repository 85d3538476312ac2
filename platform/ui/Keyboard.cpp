#include "platform/ui/Keyboard.h"

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Responder.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextView.h"

namespace ui {

Keyboard& Keyboard::shared() {
    static Keyboard* keyboard = foundation::ProcessState::withReset(new Keyboard());
    return *keyboard;
}

graphics::Rect Keyboard::frame() const {
    auto screen = Screen::mainScreen().bounds();
    double y = visible_ ? screen.size.height - kHeight : screen.size.height;
    return graphics::Rect(0, y, screen.size.width, kHeight);
}

void Keyboard::inputDidBeginEditing() {
    if (!visible_) {
        change(true);
    }
}

void Keyboard::inputDidEndEditing() {
    foundation::RunLoop::main().perform([this] {
        auto responder = Responder::firstResponder();
        bool editing = std::dynamic_pointer_cast<TextField>(responder) ||
                       std::dynamic_pointer_cast<TextView>(responder);
        if (visible_ && !editing) {
            change(false);
        }
    });
}

void Keyboard::change(bool show) {
    auto begin = frame();
    visible_ = show;
    auto end = frame();
    auto info =
        foundation::Value::dictionary({{KeyboardFrameBeginUserInfoKey, graphics::toString(begin)},
                                       {KeyboardFrameEndUserInfoKey, graphics::toString(end)},
                                       {KeyboardAnimationDurationUserInfoKey, kAnimationDuration},
                                       {KeyboardAnimationCurveUserInfoKey, 7}});
    auto& center = foundation::NotificationCenter::defaultCenter();
    center.post(show ? KeyboardWillShowNotification : KeyboardWillHideNotification, nullptr, info);
    center.post(KeyboardWillChangeFrameNotification, nullptr, info);
    foundation::RunLoop::main().performAfter(kAnimationDuration, [show, info] {
        auto& c = foundation::NotificationCenter::defaultCenter();
        c.post(show ? KeyboardDidShowNotification : KeyboardDidHideNotification, nullptr, info);
        c.post(KeyboardDidChangeFrameNotification, nullptr, info);
    });
}

}  // namespace ui
