#include "results/CallAction.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Format.h"

CallAction::CallAction(std::string number) : CallAction(urlForNumber(number), number) {}

std::shared_ptr<CallAction> CallAction::actionWithNumber(std::string number) {
    return std::make_shared<CallAction>(std::move(number));
}

std::optional<foundation::URL> CallAction::urlForNumber(const std::string& number) {
    return foundation::URL::fromString("tel:" + number);
}

std::string CallAction::title() const {
    return foundation::format(foundation::localizedString("CallAction action title"), number_);
}

std::string CallAction::alertTitle() const {
    return foundation::localizedString("CallAction alert title");
}

std::string CallAction::alertMessage() const {
    return foundation::format(foundation::localizedString("CallAction alert message"), number_);
}

std::string CallAction::alertButtonTitle() const {
    return foundation::localizedString("CallAction alert button title");
}
