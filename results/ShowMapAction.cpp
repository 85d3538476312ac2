#include "results/ShowMapAction.h"

#include "platform/foundation/Bundle.h"
#include "platform/foundation/Format.h"
#include "platform/foundation/PercentEncoding.h"

ShowMapAction::ShowMapAction(std::string location)
    : OpenUrlAction(urlForLocation(location)), location_(std::move(location)) {}

std::shared_ptr<ShowMapAction> ShowMapAction::actionWithLocation(std::string location) {
    return std::make_shared<ShowMapAction>(std::move(location));
}

std::optional<foundation::URL> ShowMapAction::urlForLocation(const std::string& location) {
    return foundation::URL::fromString(
        std::string("http://") + mapHost +
        "/maps?q=" + foundation::addingPercentEscapes(location, kQueryValueDelimiters));
}

std::string ShowMapAction::title() const {
    return foundation::localizedString("ShowMapAction action title");
}

std::string ShowMapAction::alertTitle() const {
    return foundation::localizedString("ShowMapAction alert title");
}

std::string ShowMapAction::alertMessage() const {
    return foundation::format(foundation::localizedString("ShowMapAction alert message"),
                              location_);
}

std::string ShowMapAction::alertButtonTitle() const {
    return foundation::localizedString("ShowMapAction alert button title");
}
