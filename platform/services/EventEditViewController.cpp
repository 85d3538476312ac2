#include "platform/services/EventEditViewController.h"

namespace services {

bool EventEditViewController::save() {
    if (!store_ || !store_->saveEvent(event_)) {
        return false;
    }
    complete(EventEditViewAction::saved);
    return true;
}

void EventEditViewController::cancel() {
    complete(EventEditViewAction::canceled);
}

void EventEditViewController::complete(EventEditViewAction action) {
    auto keep = shared_from_this();
    if (auto d = editViewDelegate()) {
        d->eventEditViewControllerDidCompleteWithAction(*this, action);
    }
}

}  // namespace services
