#include "results/TelParsedResult.h"

#include "platform/foundation/Bundle.h"
#include "platform/graphics/Image.h"
#include "results/CallAction.h"

std::string TelParsedResult::typeName() const {
    return foundation::localizedString("TelParsedResult type name");
}

std::shared_ptr<graphics::Image> TelParsedResult::icon() const {
    return graphics::Image::imageNamed("ic_appel.png");
}

void TelParsedResult::populateActions(ActionList& actions) {
    actions.push_back(CallAction::actionWithNumber(number));
}
