#pragma once

// The advertising identifier of the device (a UUID text, fixed for the
// process unless set) and whether the user allows tracking. Safe to read
// from any thread.

#include <mutex>
#include <string>

namespace services {

class AdvertisingIdentifierManager {
  public:
    static AdvertisingIdentifierManager& sharedManager();

    std::string advertisingIdentifier() const;
    void setAdvertisingIdentifier(std::string identifier);
    bool isAdvertisingTrackingEnabled() const;
    void setAdvertisingTrackingEnabled(bool enabled);
    // Back to the identifier it was made with, tracking allowed.
    void reset();

  private:
    AdvertisingIdentifierManager();

    mutable std::mutex mutex_;
    const std::string madeIdentifier_;
    std::string identifier_;
    bool trackingEnabled_ = true;
};

}  // namespace services
