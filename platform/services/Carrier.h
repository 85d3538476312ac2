#pragma once

// The mobile carrier of the SIM, as far as the device knows it.

#include <string>

namespace services {

struct Carrier {
    std::string carrierName;
    std::string mobileCountryCode;
    std::string mobileNetworkCode;
    std::string isoCountryCode;
    bool allowsVOIP = true;
};

}  // namespace services
