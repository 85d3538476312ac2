#include "platform/services/MailComposeViewController.h"

#include "platform/foundation/ProcessState.h"

namespace services {

namespace {

bool& canSend() {
    static bool* const can =
        foundation::ProcessState::withReset(new bool(true), [](auto& state) { state = true; });
    return *can;
}

}  // namespace

bool MailComposeViewController::canSendMail() {
    return canSend();
}

void MailComposeViewController::setCanSendMail(bool can) {
    canSend() = can;
}

MailComposeViewController::Ptr MailComposeViewController::make() {
    return canSend() ? std::make_shared<MailComposeViewController>() : nullptr;
}

void MailComposeViewController::finish(MailComposeResult result,
                                       std::optional<foundation::Error> error) {
    auto keep = shared_from_this();
    if (auto d = mailComposeDelegate()) {
        d->mailComposeControllerDidFinish(*this, result, error);
    }
}

}  // namespace services
