#pragma once

// The cellular radio: its current access technology (none on this machine
// unless set) and the carrier. Setting a different technology posts
// "CTRadioAccessTechnologyDidChangeNotification" with the technology under
// "technology" in the user info.

#include <optional>
#include <string>

#include "platform/services/Carrier.h"

namespace services {

inline constexpr const char* RadioAccessTechnologyDidChangeNotification =
    "CTRadioAccessTechnologyDidChangeNotification";
inline constexpr const char* RadioAccessTechnologyLTE = "CTRadioAccessTechnologyLTE";
inline constexpr const char* RadioAccessTechnologyWCDMA = "CTRadioAccessTechnologyWCDMA";
inline constexpr const char* RadioAccessTechnologyEdge = "CTRadioAccessTechnologyEdge";
inline constexpr const char* RadioAccessTechnologyGPRS = "CTRadioAccessTechnologyGPRS";

class TelephonyNetworkInfo {
  public:
    static TelephonyNetworkInfo& shared();

    const std::optional<std::string>& currentRadioAccessTechnology() const { return technology_; }
    void setCurrentRadioAccessTechnology(std::optional<std::string> technology);
    const std::optional<Carrier>& subscriberCellularProvider() const { return carrier_; }
    void setSubscriberCellularProvider(std::optional<Carrier> carrier) {
        carrier_ = std::move(carrier);
    }
    void reset();

  private:
    std::optional<std::string> technology_;
    std::optional<Carrier> carrier_;
};

}  // namespace services
