#include "results/SMSParsedResult.h"

#include "platform/foundation/Bundle.h"
#include "platform/graphics/Image.h"
#include "results/SMSAction.h"

std::string SMSParsedResult::stringForDisplay() const {
    return body ? number + "\n" + *body : number;
}

std::string SMSParsedResult::typeName() const {
    return foundation::localizedString("SMSParsedResult type name");
}

std::shared_ptr<graphics::Image> SMSParsedResult::icon() const {
    return graphics::Image::imageNamed("ic_sms.png");
}

void SMSParsedResult::populateActions(ActionList& actions) {
    actions.push_back(SMSAction::actionWithNumber(number, body));
}
