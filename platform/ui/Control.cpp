#include "platform/ui/Control.h"

#include <algorithm>

namespace ui {

unsigned Control::state() const {
    unsigned s = ControlState::normal;
    if (highlighted_) {
        s |= ControlState::highlighted;
    }
    if (!enabled_) {
        s |= ControlState::disabled;
    }
    if (selected_) {
        s |= ControlState::selected;
    }
    return s;
}

int Control::addTarget(unsigned events, Action action) {
    int token = nextToken_++;
    targets_.push_back(Target{token, events, std::move(action)});
    return token;
}

void Control::removeTarget(int token) {
    targets_.erase(std::remove_if(targets_.begin(), targets_.end(),
                                  [&](const Target& t) { return t.token == token; }),
                   targets_.end());
}

unsigned Control::allControlEvents() const {
    unsigned events = 0;
    for (const auto& target : targets_) {
        events |= target.events;
    }
    return events;
}

void Control::sendActionsForControlEvents(unsigned events) {
    auto keep = shared_from_this();
    auto targets = targets_;
    for (const auto& target : targets) {
        if ((target.events & events) && target.action) {
            target.action(*this);
        }
    }
}

bool Control::tap() {
    if (!enabled_ || isHidden() || !isUserInteractionEnabled()) {
        return false;
    }
    auto keep = shared_from_this();
    setHighlighted(true);
    sendActionsForControlEvents(ControlEvent::touchDown);
    setHighlighted(false);
    didTapInside();
    sendActionsForControlEvents(ControlEvent::touchUpInside);
    return true;
}

void Control::touchesBegan(const std::vector<std::shared_ptr<Touch>>&, const Event&) {
    if (!enabled_) {
        return;
    }
    setHighlighted(true);
    sendActionsForControlEvents(ControlEvent::touchDown);
}

void Control::touchesMoved(const std::vector<std::shared_ptr<Touch>>& touches, const Event&) {
    if (!enabled_ || touches.empty()) {
        return;
    }
    bool inside = bounds().insetBy(-70, -70).contains(touches.front()->locationInView(this));
    setHighlighted(inside);
    sendActionsForControlEvents(inside ? ControlEvent::touchDragInside
                                       : ControlEvent::touchDragOutside);
}

void Control::touchesEnded(const std::vector<std::shared_ptr<Touch>>& touches, const Event&) {
    if (!enabled_ || touches.empty()) {
        return;
    }
    auto keep = shared_from_this();
    setHighlighted(false);
    bool inside = bounds().insetBy(-70, -70).contains(touches.front()->locationInView(this));
    if (inside) {
        didTapInside();
    }
    sendActionsForControlEvents(inside ? ControlEvent::touchUpInside
                                       : ControlEvent::touchUpOutside);
}

void Control::touchesCancelled(const std::vector<std::shared_ptr<Touch>>&, const Event&) {
    setHighlighted(false);
    sendActionsForControlEvents(ControlEvent::touchCancel);
}

}  // namespace ui
