#include "results/EmailAction.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/PercentEncoding.h"

namespace {

// The recipient is the URL's path: only a query or fragment start ends it.
constexpr const char* kPathDelimiters = "?#";

}  // namespace

EmailAction::EmailAction(const std::optional<std::string>& recipient,
                         const std::optional<std::string>& subject,
                         const std::optional<std::string>& body)
    : OpenUrlAction(urlForRecipient(recipient, subject, body)), recipient_(recipient) {}

std::shared_ptr<EmailAction> EmailAction::actionWithRecipient(
    const std::optional<std::string>& recipient, const std::optional<std::string>& subject,
    const std::optional<std::string>& body) {
    return std::make_shared<EmailAction>(recipient, subject, body);
}

std::optional<foundation::URL> EmailAction::urlForRecipient(
    const std::optional<std::string>& recipient, const std::optional<std::string>& subject,
    const std::optional<std::string>& body) {
    std::string text =
        "mailto:" + foundation::addingPercentEscapes(recipient.value_or(""), kPathDelimiters);
    char separator = '?';
    if (subject) {
        text += separator;
        text += "subject=" + foundation::addingPercentEscapes(*subject, kQueryValueDelimiters);
        separator = '&';
    }
    if (body) {
        text += separator;
        text += "body=" + foundation::addingPercentEscapes(*body, kQueryValueDelimiters);
    }
    return foundation::URL::fromString(text);
}

std::string EmailAction::title() const {
    return foundation::format(foundation::localizedString("EmailAction action title"),
                              recipient_.value_or(""));
}

std::string EmailAction::alertTitle() const {
    return foundation::localizedString("EmailAction alert title");
}

std::string EmailAction::alertMessage() const {
    return foundation::format(foundation::localizedString("EmailAction alert message"),
                              recipient_.value_or(""));
}

std::string EmailAction::alertButtonTitle() const {
    return foundation::localizedString("EmailAction alert button title");
}
