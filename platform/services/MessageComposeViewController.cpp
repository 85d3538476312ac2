#include "platform/services/MessageComposeViewController.h"

namespace services {

namespace {

bool& canSend() {
    static bool can = true;
    return can;
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
