#pragma once

// A small screen that presents an empty mail composer, filled in by the
// caller's block, and dismisses it when the user is done with it.

#include <functional>
#include <memory>

#include "platform/services/MailComposeViewController.h"
#include "platform/ui/ViewController.h"

class MailComposerController : public ui::ViewController,
                               public services::MailComposeViewControllerDelegate {
  public:
    using Fill = std::function<void(services::MailComposeViewController&)>;

    std::string className() const override { return "MailComposerController"; }

    // Makes a composer, lets `fill` set it up and presents it (animated);
    // nothing when mail cannot be sent.
    void mail(const Fill& fill);

    void mailComposeControllerDidFinish(services::MailComposeViewController& controller,
                                        services::MailComposeResult result,
                                        const std::optional<foundation::Error>& error) override;
};
