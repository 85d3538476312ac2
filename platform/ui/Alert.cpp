#include "platform/ui/Alert.h"

#include "platform/ui/AlertCenter.h"
#include "platform/ui/TypeName.h"

namespace ui {

std::string Alert::className() const {
    return typeName(typeid(*this));
}

int Alert::addButtonWithTitle(const std::string& title) {
    buttons_.push_back(title);
    return static_cast<int>(buttons_.size()) - 1;
}

std::string Alert::buttonTitleAtIndex(int index) const {
    return index >= 0 && index < numberOfButtons() ? buttons_[static_cast<std::size_t>(index)]
                                                   : std::string();
}

int Alert::firstOtherButtonIndex() const {
    for (int i = 0; i < numberOfButtons(); ++i) {
        if (i != cancelIndex_ && i != destructiveIndex()) {
            return i;
        }
    }
    return -1;
}

void Alert::present() {
    if (visible_) {
        return;
    }
    notifyWillPresent();
    visible_ = true;
    AlertCenter::shared().add(shared_from_this());
    notifyDidPresent();
}

bool Alert::tapButton(int index) {
    if (!visible_ || index < 0 || index >= numberOfButtons()) {
        return false;
    }
    auto keep = shared_from_this();
    notifyClicked(index);
    dismissWithClickedButtonIndex(index, true);
    return true;
}

bool Alert::tapButtonTitled(const std::string& title) {
    for (int i = 0; i < numberOfButtons(); ++i) {
        if (buttons_[static_cast<std::size_t>(i)] == title) {
            return tapButton(i);
        }
    }
    return false;
}

void Alert::dismissWithClickedButtonIndex(int index, bool) {
    if (!visible_) {
        return;
    }
    auto keep = shared_from_this();
    notifyWillDismiss(index);
    visible_ = false;
    AlertCenter::shared().remove(this);
    notifyDidDismiss(index);
}

std::string Alert::outlineText() const {
    std::string line = "[" + className() + "]";
    if (!title_.empty()) {
        line += " \"" + title_ + "\"";
    }
    if (!message_.empty()) {
        line += " \"" + message_ + "\"";
    }
    for (const auto& button : buttons_) {
        line += " [" + button + "]";
    }
    return line;
}

}  // namespace ui
