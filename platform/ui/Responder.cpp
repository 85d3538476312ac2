#include "platform/ui/Responder.h"

#include "platform/foundation/ProcessState.h"

namespace ui {

namespace {

std::weak_ptr<Responder>& current() {
    static auto* const responder =
        foundation::ProcessState::withReset(new std::weak_ptr<Responder>());
    return *responder;
}

}  // namespace

std::shared_ptr<Responder> Responder::firstResponder() {
    return current().lock();
}

bool Responder::isFirstResponder() const {
    return current().lock().get() == this;
}

bool Responder::becomeFirstResponder() {
    if (isFirstResponder()) {
        return true;
    }
    if (!canBecomeFirstResponder()) {
        return false;
    }
    if (auto previous = current().lock(); previous && !previous->resignFirstResponder()) {
        return false;
    }
    current() = weak_from_this();
    didBecomeFirstResponder();
    return true;
}

bool Responder::resignFirstResponder() {
    if (!isFirstResponder()) {
        return true;
    }
    if (!canResignFirstResponder()) {
        return false;
    }
    current().reset();
    didResignFirstResponder();
    return true;
}

}  // namespace ui
