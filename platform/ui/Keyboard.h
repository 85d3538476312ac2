#pragma once

// The on-screen keyboard: it comes up when a text field or text view starts
// editing and goes down when no text input is editing any more (checked on
// the next turn of the main run loop, so moving between fields keeps it up).
// Each change posts the will-notifications at once and the did-notifications
// after the 0.25 s slide, with the begin and end frames (as "{{x, y}, {w, h}}"
// texts), the duration and the curve in the user info.

#include "platform/graphics/Geometry.h"

namespace ui {

inline constexpr const char* KeyboardWillShowNotification = "UIKeyboardWillShowNotification";
inline constexpr const char* KeyboardDidShowNotification = "UIKeyboardDidShowNotification";
inline constexpr const char* KeyboardWillHideNotification = "UIKeyboardWillHideNotification";
inline constexpr const char* KeyboardDidHideNotification = "UIKeyboardDidHideNotification";
inline constexpr const char* KeyboardWillChangeFrameNotification =
    "UIKeyboardWillChangeFrameNotification";
inline constexpr const char* KeyboardDidChangeFrameNotification =
    "UIKeyboardDidChangeFrameNotification";
inline constexpr const char* KeyboardFrameBeginUserInfoKey = "UIKeyboardFrameBeginUserInfoKey";
inline constexpr const char* KeyboardFrameEndUserInfoKey = "UIKeyboardFrameEndUserInfoKey";
inline constexpr const char* KeyboardAnimationDurationUserInfoKey =
    "UIKeyboardAnimationDurationUserInfoKey";
inline constexpr const char* KeyboardAnimationCurveUserInfoKey =
    "UIKeyboardAnimationCurveUserInfoKey";

class Keyboard {
  public:
    static constexpr double kHeight = 216;
    static constexpr double kAnimationDuration = 0.25;

    static Keyboard& shared();

    bool isVisible() const { return visible_; }
    // The keyboard's frame in screen coordinates (below the screen when hidden).
    graphics::Rect frame() const;

    // Called by text inputs as they start and end editing.
    void inputDidBeginEditing();
    void inputDidEndEditing();

    void reset() { visible_ = false; }

  private:
    void change(bool show);

    bool visible_ = false;
};

}  // namespace ui
