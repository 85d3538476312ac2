#pragma once

// What a custom event learns of the ad request: the user's targeting as the
// connector offered it when the event was asked, the extras the publisher
// gave the event's label, and whether ads are for testing.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Date.h"
#include "platform/foundation/Value.h"

class GADMAdNetworkConnector;

class GADCustomEventRequest {
  public:
    // A snapshot of the connector's answers; later changes do not reach it.
    explicit GADCustomEventRequest(const GADMAdNetworkConnector& connector);

    std::int64_t userGender() const { return userGender_; }
    const std::optional<foundation::Date>& userBirthday() const { return userBirthday_; }
    bool userHasLocation() const { return userHasLocation_; }
    double userLatitude() const { return userLatitude_; }
    double userLongitude() const { return userLongitude_; }
    double userLocationAccuracyInMeters() const { return userLocationAccuracyInMeters_; }
    const std::optional<std::string>& userLocationDescription() const {
        return userLocationDescription_;
    }
    const std::optional<std::vector<std::string>>& userKeywords() const { return userKeywords_; }
    const std::optional<foundation::Dictionary>& additionalParameters() const {
        return additionalParameters_;
    }
    bool isTesting() const { return isTesting_; }

  private:
    std::int64_t userGender_ = 0;
    std::optional<foundation::Date> userBirthday_;
    bool userHasLocation_ = false;
    double userLatitude_ = 0;
    double userLongitude_ = 0;
    double userLocationAccuracyInMeters_ = 0;
    std::optional<std::string> userLocationDescription_;
    std::optional<std::vector<std::string>> userKeywords_;
    std::optional<foundation::Dictionary> additionalParameters_;
    bool isTesting_ = false;
};
