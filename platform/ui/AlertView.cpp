#include "platform/ui/AlertView.h"

namespace ui {

AlertView::Ptr AlertView::make(std::string title, std::string message,
                               std::weak_ptr<AlertViewDelegate> delegate,
                               std::optional<std::string> cancelButtonTitle,
                               std::vector<std::string> otherButtonTitles) {
    auto alert = std::make_shared<AlertView>();
    alert->setTitle(std::move(title));
    alert->setMessage(std::move(message));
    alert->delegate_ = std::move(delegate);
    if (cancelButtonTitle) {
        alert->cancelIndex_ = alert->addButtonWithTitle(*cancelButtonTitle);
    }
    for (auto& other : otherButtonTitles) {
        alert->addButtonWithTitle(other);
    }
    return alert;
}

void AlertView::setAlertViewStyle(AlertViewStyle style) {
    style_ = style;
    fields_.clear();
    int count = style == AlertViewStyle::defaultStyle            ? 0
                : style == AlertViewStyle::loginAndPasswordInput ? 2
                                                                 : 1;
    for (int i = 0; i < count; ++i) {
        auto field = std::make_shared<TextField>(graphics::Rect(0, 0, 260, 24));
        field->traits().secureTextEntry =
            style == AlertViewStyle::secureTextInput ||
            (style == AlertViewStyle::loginAndPasswordInput && i == 1);
        fields_.push_back(field);
    }
}

TextField::Ptr AlertView::textFieldAtIndex(int index) const {
    return index >= 0 && index < static_cast<int>(fields_.size())
               ? fields_[static_cast<std::size_t>(index)]
               : nullptr;
}

void AlertView::notifyWillPresent() {
    if (auto d = delegate()) {
        d->willPresentAlertView(*this);
    }
}

void AlertView::notifyDidPresent() {
    if (auto d = delegate()) {
        d->didPresentAlertView(*this);
    }
}

void AlertView::notifyClicked(int index) {
    if (auto d = delegate()) {
        d->alertViewClickedButtonAtIndex(*this, index);
    }
}

void AlertView::notifyWillDismiss(int index) {
    if (auto d = delegate()) {
        d->alertViewWillDismissWithButtonIndex(*this, index);
    }
}

void AlertView::notifyDidDismiss(int index) {
    if (auto d = delegate()) {
        d->alertViewDidDismissWithButtonIndex(*this, index);
    }
}

}  // namespace ui
