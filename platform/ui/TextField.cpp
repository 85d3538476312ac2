#include "platform/ui/TextField.h"

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UTF16.h"
#include "platform/ui/Font.h"
#include "platform/ui/Keyboard.h"

namespace ui {

TextField::TextField(const graphics::Rect& frame) : Control(frame) {
    setContentVerticalAlignment(ContentVerticalAlignment::center);
}

bool TextField::becomeFirstResponder() {
    if (isFirstResponder()) {
        return true;
    }
    auto d = delegate();
    if (!canBecomeFirstResponder() || (d && !d->textFieldShouldBeginEditing(*this))) {
        return false;
    }
    if (!Control::becomeFirstResponder()) {
        return false;
    }
    Keyboard::shared().inputDidBeginEditing();
    if (clearsOnBeginEditing_) {
        text_.clear();
    }
    if (auto d2 = delegate()) {
        d2->textFieldDidBeginEditing(*this);
    }
    sendActionsForControlEvents(ControlEvent::editingDidBegin);
    foundation::NotificationCenter::defaultCenter().post(TextFieldTextDidBeginEditingNotification,
                                                         this);
    return true;
}

bool TextField::resignFirstResponder() {
    if (!isFirstResponder()) {
        return true;
    }
    auto d = delegate();
    if (d && !d->textFieldShouldEndEditing(*this)) {
        return false;
    }
    if (!Control::resignFirstResponder()) {
        return false;
    }
    Keyboard::shared().inputDidEndEditing();
    if (auto d2 = delegate()) {
        d2->textFieldDidEndEditing(*this);
    }
    sendActionsForControlEvents(ControlEvent::editingDidEnd);
    foundation::NotificationCenter::defaultCenter().post(TextFieldTextDidEndEditingNotification,
                                                         this);
    return true;
}

void TextField::changed() {
    sendActionsForControlEvents(ControlEvent::editingChanged);
    foundation::NotificationCenter::defaultCenter().post(TextFieldTextDidChangeNotification, this);
}

bool TextField::replaceCharacters(TextRange range, const std::string& replacement) {
    if (!isEditing()) {
        return false;
    }
    auto updated = foundation::utf16::replacing(text_, range.location, range.length, replacement);
    if (!updated) {
        return false;
    }
    if (auto d = delegate(); d && !d->shouldChangeCharactersInRange(*this, range, replacement)) {
        return false;
    }
    text_ = std::move(*updated);
    changed();
    return true;
}

bool TextField::typeText(const std::string& text) {
    return replaceCharacters({foundation::utf16::length(text_), 0}, text);
}

bool TextField::deleteBackward() {
    auto characters = Font::codePointsOf(text_);
    if (characters.empty()) {
        return false;
    }
    std::size_t unitCount = characters.back() >= 0x10000 ? 2 : 1;
    auto length = foundation::utf16::length(text_);
    return replaceCharacters({length - unitCount, unitCount}, "");
}

bool TextField::clear() {
    if (auto d = delegate(); d && !d->textFieldShouldClear(*this)) {
        return false;
    }
    text_.clear();
    changed();
    return true;
}

bool TextField::pressReturn() {
    if (!isEditing()) {
        return false;
    }
    if (auto d = delegate(); d && !d->textFieldShouldReturn(*this)) {
        return false;
    }
    sendActionsForControlEvents(ControlEvent::editingDidEndOnExit);
    return true;
}

bool TextField::tap() {
    if (!isEnabled() || isHidden() || !isUserInteractionEnabled()) {
        return false;
    }
    return becomeFirstResponder();
}

std::string TextField::outlineText() const {
    if (isHidden()) {
        return {};
    }
    std::string line =
        "TextField \"" + (traits_.secureTextEntry ? std::string(text_.size(), '*') : text_) + "\"";
    if (text_.empty() && !placeholder_.empty()) {
        line += " (placeholder \"" + placeholder_ + "\")";
    }
    return line + (isEditing() ? " (editing)" : "");
}

}  // namespace ui
