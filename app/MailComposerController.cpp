#include "app/MailComposerController.h"

#include "platform/foundation/Log.h"

void MailComposerController::mail(const Fill& fill) {
    auto composer = services::MailComposeViewController::make();
    if (!composer) {
        foundation::Log::write("MailComposerController", "mail cannot be sent");
        return;
    }
    composer->setMailComposeDelegate(
        std::dynamic_pointer_cast<MailComposerController>(shared_from_this()));
    if (fill) {
        fill(*composer);
    }
    presentViewController(composer, true);
}

void MailComposerController::mailComposeControllerDidFinish(
    services::MailComposeViewController& controller, services::MailComposeResult,
    const std::optional<foundation::Error>&) {
    controller.dismissModalViewController(true);
}
