#pragma once

// The ad component's source of facts about the device: system version and
// version tests, screen geometry fixed to portrait, idiom, orientation, the
// hashed advertising identifier and the network watcher.

#include <cstdint>
#include <string>

#include "ads/foundation/GADNetwork.h"
#include "platform/graphics/Geometry.h"

class GADDevice {
  public:
    // The shared device, made on first use.
    static GADDevice& currentDevice();

    // The system version text ("8.1"), read once.
    const std::string& systemVersion();
    // The version's first three components; a missing one is 0.
    void getOSMajor(std::int64_t* major, std::int64_t* minor, std::int64_t* bugFix);
    bool isOSAtLeastMajor(std::int64_t major, std::int64_t minor, std::int64_t bug);
    // At least 5.0.0.
    bool OSIsSupported();

    // Lower-case hex MD5 of the advertising identifier; "" when tracking is off.
    std::string deviceIdentifier();

    // The main screen's bounds, standardized; in landscape width and height
    // are swapped so the width is always the portrait width.
    graphics::Rect standardizedScreenBounds();
    bool isOrientationLandscape();
    bool userInterfaceIdiomIsPhone();
    bool userInterfaceIdiomIsTablet();

    GADNetwork& network() { return network_; }

  private:
    GADDevice() = default;

    std::mutex lock_;
    std::string cachedAdvertisingID_;
    std::string cachedMD5AdvertisingID_;
    GADNetwork network_;
};
