#include "platform/services/MessageComposeViewController.h"

#include "platform/foundation/ProcessState.h"

namespace services {

namespace {

bool& canSend() {
    static bool* const can =
        foundation::ProcessState::withReset(new bool(true), [](auto& state) { state = true; });
    return *can;
}

}  // namespace

bool MessageComposeViewController::canSendText() {
    return canSend();
}

void MessageComposeViewController::setCanSendText(bool can) {
    canSend() = can;
}

void MessageComposeViewController::finish(MessageComposeResult result) {
    auto keep = shared_from_this();
    if (auto d = messageComposeDelegate()) {
        d->messageComposeViewControllerDidFinish(*this, result);
    }
}

}  // namespace services
