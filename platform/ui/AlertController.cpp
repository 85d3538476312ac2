#include "platform/ui/AlertController.h"

namespace ui {

AlertController::Ptr AlertController::make(std::string title, std::string message,
                                           AlertControllerStyle style) {
    auto alert = std::make_shared<AlertController>();
    alert->setTitle(title);
    alert->message_ = std::move(message);
    alert->style_ = style;
    alert->setModalPresentationStyle(ModalPresentationStyle::overFullScreen);
    return alert;
}

void AlertController::addTextField(const std::function<void(TextField&)>& configure) {
    auto field = std::make_shared<TextField>(graphics::Rect(0, 0, 240, 24));
    if (configure) {
        configure(*field);
    }
    textFields_.push_back(field);
}

bool AlertController::tapAction(std::size_t index) {
    if (index >= actions_.size() || !actions_[index]->isEnabled()) {
        return false;
    }
    auto action = actions_[index];
    auto keep = shared_from_this();
    if (presentingViewController() && !isBeingDismissed()) {
        dismissViewController(true, [action] { action->run(); });
    } else {
        action->run();
    }
    return true;
}

bool AlertController::tapActionTitled(const std::string& title) {
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        if (actions_[i]->title() == title) {
            return tapAction(i);
        }
    }
    return false;
}

std::string AlertController::outlineText() const {
    std::string line = style_ == AlertControllerStyle::alert ? "[Alert]" : "[ActionSheet]";
    if (!title().empty()) {
        line += " \"" + title() + "\"";
    }
    if (!message_.empty()) {
        line += " \"" + message_ + "\"";
    }
    for (const auto& action : actions_) {
        line += " [" + action->title() + "]";
    }
    return line;
}

}  // namespace ui
