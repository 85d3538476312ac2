#pragma once

// The advertising identifier of the device (a UUID text, fixed for the
// process unless set) and whether the user allows tracking.

#include <string>

namespace services {

class AdvertisingIdentifierManager {
  public:
    static AdvertisingIdentifierManager& sharedManager();

    const std::string& advertisingIdentifier() const { return identifier_; }
    void setAdvertisingIdentifier(std::string identifier) { identifier_ = std::move(identifier); }
    bool isAdvertisingTrackingEnabled() const { return trackingEnabled_; }
    void setAdvertisingTrackingEnabled(bool enabled) { trackingEnabled_ = enabled; }

  private:
    AdvertisingIdentifierManager();

    std::string identifier_;
    bool trackingEnabled_ = true;
};

}  // namespace services
