#include "ads/webview/RAZActivityRequest.h"

#include "platform/foundation/OrderedDictionary.h"

std::shared_ptr<RAZActivityRequest> RAZActivityRequest::requestWithAdUnitID(
    std::optional<std::string> adUnitID, std::optional<std::string> publisherProvidedID,
    std::optional<foundation::Dictionary> customParameters) {
    return std::make_shared<RAZActivityRequest>(std::move(adUnitID), std::move(publisherProvidedID),
                                                std::move(customParameters));
}

RAZActivityRequest::RAZActivityRequest(std::optional<std::string> adUnitID,
                                       std::optional<std::string> publisherProvidedID,
                                       std::optional<foundation::Dictionary> customParameters)
    : adUnitID_(std::move(adUnitID)),
      publisherProvidedID_(std::move(publisherProvidedID)),
      customParameters_(std::move(customParameters)) {}

std::optional<std::string> RAZActivityRequest::JSONStringValue() const {
    foundation::OrderedDictionary json;
    if (adUnitID_) {
        json.set("ad_unit_id", *adUnitID_);
    }
    if (publisherProvidedID_) {
        json.set("publisher_provided", foundation::Dictionary{{"id", *publisherProvidedID_}});
    }
    if (customParameters_) {
        json.set("custom_parameters", *customParameters_);
    }
    return json.JSONString();
}
