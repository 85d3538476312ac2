#include "results/SMSAction.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Format.h"

SMSAction::SMSAction(std::string number, std::optional<std::string> body)
    : CallAction(urlForNumber(number, body), number), body_(std::move(body)) {}

std::shared_ptr<SMSAction> SMSAction::actionWithNumber(std::string number,
                                                       std::optional<std::string> body) {
    return std::make_shared<SMSAction>(std::move(number), std::move(body));
}

std::shared_ptr<SMSAction> SMSAction::actionWithNumber(std::string number) {
    return std::make_shared<SMSAction>(std::move(number));
}

std::optional<foundation::URL> SMSAction::urlForNumber(const std::string& number,
                                                       const std::optional<std::string>& body) {
    return foundation::URL::fromString("sms:" + number);
}

std::string SMSAction::title() const {
    return foundation::format(foundation::localizedString("SMSAction action title"), number());
}

std::string SMSAction::alertTitle() const {
    return foundation::localizedString("SMSAction alert title");
}

std::string SMSAction::alertMessage() const {
    return foundation::format(foundation::localizedString("SMSAction alert message"), number());
}

std::string SMSAction::alertButtonTitle() const {
    return foundation::localizedString("SMSAction alert button title");
}
