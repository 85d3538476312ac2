#pragma once

// The user's location for ad targeting: precise coordinates (sent as the
// "uule" dictionary) or a free-text description.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Value.h"

class GADLocation {
  public:
    // Coordinates within range and both farther than 2^-23 from zero;
    // nullptr otherwise.
    static std::shared_ptr<GADLocation> makeWithLatitude(double latitude, double longitude,
                                                         double accuracy);
    // nullptr for an empty description.
    static std::shared_ptr<GADLocation> makeWithLocationDescription(const std::string& description);

    bool isPreciseLocation() const { return precise_; }
    double latitude() const { return latitude_; }
    double longitude() const { return longitude_; }
    double accuracy() const { return accuracy_; }
    // The description; "%f,%f" of the coordinates for a precise location.
    std::string locationDescription() const;
    void setLocationDescription(std::optional<std::string> description);
    // "time" (microseconds since 1970), "lat" and "long" (degrees x 10^7,
    // truncated integers), "radius" (millimetres); built once; nullopt for a
    // described location.
    std::optional<foundation::Dictionary> dictionaryRepresentation();
    double timestamp() const { return timestamp_; }
    void setTimestamp(double seconds) { timestamp_ = seconds; }

    // Same kind and coordinates within 2^-23, or equal descriptions; the
    // timestamp is not compared.
    bool isEqual(const GADLocation& other) const;
    std::size_t hash() const;
    std::shared_ptr<GADLocation> copy() const;

  private:
    GADLocation() = default;

    bool precise_ = false;
    double latitude_ = 0;
    double longitude_ = 0;
    double accuracy_ = 0;
    std::optional<std::string> locationDescription_;
    std::optional<foundation::Dictionary> dictionaryRepresentation_;
    double timestamp_ = 0;
};
