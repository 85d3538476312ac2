#include "results/URIParsedResult.h"

#include "platform/foundation/Bundle.h"
#include "platform/graphics/Image.h"
#include "results/OpenUrlAction.h"

URIParsedResult::URIParsedResult(std::string urlString, std::optional<std::string> title,
                                 std::optional<foundation::URL> URL)
    : urlString(std::move(urlString)), title(std::move(title)), URL(std::move(URL)) {}

URIParsedResult::URIParsedResult(std::string urlString, std::optional<foundation::URL> URL)
    : URIParsedResult(std::move(urlString), std::nullopt, std::move(URL)) {}

std::shared_ptr<URIParsedResult> URIParsedResult::withURLString(std::string urlString,
                                                                std::optional<std::string> title) {
    auto URL = foundation::URL::fromString(urlString);
    return std::make_shared<URIParsedResult>(std::move(urlString), std::move(title),
                                             std::move(URL));
}

std::string URIParsedResult::stringForDisplay() const {
    return title ? *title + " <" + urlString + ">" : urlString;
}

std::string URIParsedResult::typeName() const {
    return foundation::localizedString("URIParsedResult type name");
}

std::shared_ptr<graphics::Image> URIParsedResult::icon() const {
    return graphics::Image::imageNamed("ic_internet.png");
}

void URIParsedResult::populateActions(ActionList& actions) {
    actions.push_back(OpenUrlAction::actionWithURL(URL));
}
