#pragma once

// One RAZ activity to report: the ad unit, the publisher's own identifier of
// the user and the publisher's custom parameters, each optional.

#include <memory>
#include <optional>
#include <string>

#include "ads/webview/GADJSONSerializable.h"
#include "platform/foundation/Value.h"

class RAZActivityRequest : public GADJSONSerializable {
  public:
    static std::shared_ptr<RAZActivityRequest> requestWithAdUnitID(
        std::optional<std::string> adUnitID, std::optional<std::string> publisherProvidedID,
        std::optional<foundation::Dictionary> customParameters);
    RAZActivityRequest(std::optional<std::string> adUnitID,
                       std::optional<std::string> publisherProvidedID,
                       std::optional<foundation::Dictionary> customParameters);

    const std::optional<std::string>& adUnitID() const { return adUnitID_; }
    const std::optional<std::string>& publisherProvidedID() const { return publisherProvidedID_; }
    const std::optional<foundation::Dictionary>& customParameters() const {
        return customParameters_;
    }

    // {"ad_unit_id": ..., "publisher_provided": {"id": ...}, "custom_parameters": {...}},
    // each key only when its value is set.
    std::optional<std::string> JSONStringValue() const override;

  private:
    std::optional<std::string> adUnitID_;
    std::optional<std::string> publisherProvidedID_;
    std::optional<foundation::Dictionary> customParameters_;
};
