#include "results/GeoParsedResult.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Format.h"
#include "platform/graphics/Image.h"
#include "results/ShowMapAction.h"

std::string GeoParsedResult::stringForDisplay() const {
    return foundation::format(foundation::localizedString("GeoParsedResult display"), location);
}

std::string GeoParsedResult::typeName() const {
    return foundation::localizedString("GeoParsedResult type name");
}

std::shared_ptr<graphics::Image> GeoParsedResult::icon() const {
    return graphics::Image::imageNamed("ic_geoloc.png");
}

void GeoParsedResult::populateActions(ActionList& actions) {
    actions.push_back(ShowMapAction::actionWithLocation(location));
}
