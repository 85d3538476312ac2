#pragma once

// Writes an e-mail through a "mailto:" URL with subject and body fields.

#include <memory>
#include <optional>
#include <string>

#include "results/OpenUrlAction.h"

class EmailAction : public OpenUrlAction {
  public:
    EmailAction(const std::optional<std::string>& recipient,
                const std::optional<std::string>& subject, const std::optional<std::string>& body);
    static std::shared_ptr<EmailAction> actionWithRecipient(
        const std::optional<std::string>& recipient, const std::optional<std::string>& subject,
        const std::optional<std::string>& body);
    // "mailto:" and the recipient, then "subject=" and "body=" fields where
    // present, the first after "?" and the second after "&"; each value
    // percent-escaped as UTF-8.
    static std::optional<foundation::URL> urlForRecipient(
        const std::optional<std::string>& recipient, const std::optional<std::string>& subject,
        const std::optional<std::string>& body);

    const std::optional<std::string>& recipient() const { return recipient_; }

    std::string title() const override;
    std::string alertTitle() const override;
    std::string alertMessage() const override;
    std::string alertButtonTitle() const override;

  private:
    std::optional<std::string> recipient_;
};
