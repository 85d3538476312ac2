#pragma once

// The advertising identifier of the device (a UUID text) and whether the user
// allows tracking. The device keeps its identifier with the application's
// home, in Library/AdvertisingIdentifier, until the user resets it. Safe to
// read from any thread.

#include <mutex>
#include <optional>
#include <string>

namespace services {

class AdvertisingIdentifierManager {
  public:
    // The file under the home's Library that keeps the identifier.
    static constexpr const char* kFileName = "AdvertisingIdentifier";

    static AdvertisingIdentifierManager& sharedManager();

    // Read from the home at first use; a home without a readable identifier
    // gets a new one, stored there.
    std::string advertisingIdentifier() const;
    // The simulated device's identifier in place of the stored one, for this
    // process.
    void setAdvertisingIdentifier(std::string identifier);
    // What the user's reset does: a new identifier, stored with the home.
    void resetAdvertisingIdentifier();
    bool isAdvertisingTrackingEnabled() const;
    void setAdvertisingTrackingEnabled(bool enabled);
    // As at launch: the identifier is read from the home again at its next
    // use; tracking allowed.
    void reset();

  private:
    AdvertisingIdentifierManager() = default;
    // A new identifier, written to the home; kept for the process even when
    // it cannot be written.
    static std::string makeStoredIdentifier();

    mutable std::mutex mutex_;
    mutable std::optional<std::string> identifier_;
    bool trackingEnabled_ = true;
};

}  // namespace services
