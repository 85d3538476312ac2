#include "ads/api/GADLocation.h"

#include <cmath>
#include <cstdio>
#include <functional>

#include "platform/foundation/Date.h"

namespace {

constexpr double kEpsilon = 1.1920928955078125e-7;  // 2^-23

bool isPrecise(double latitude, double longitude) {
    return std::fabs(latitude) <= 90 && std::fabs(longitude) <= 180 &&
           std::fabs(latitude) > kEpsilon && std::fabs(longitude) > kEpsilon;
}

bool nearlyEqual(double a, double b) {
    return std::fabs(a - b) < kEpsilon;
}

}  // namespace

std::shared_ptr<GADLocation> GADLocation::makeWithLatitude(double latitude, double longitude,
                                                           double accuracy) {
    if (!isPrecise(latitude, longitude)) {
        return nullptr;
    }
    std::shared_ptr<GADLocation> location(new GADLocation);
    location->precise_ = true;
    location->latitude_ = latitude;
    location->longitude_ = longitude;
    location->accuracy_ = accuracy;
    location->timestamp_ = foundation::Date::now().timeIntervalSince1970();
    return location;
}

std::shared_ptr<GADLocation> GADLocation::makeWithLocationDescription(
    const std::string& description) {
    if (description.empty()) {
        return nullptr;
    }
    std::shared_ptr<GADLocation> location(new GADLocation);
    location->locationDescription_ = description;
    location->timestamp_ = foundation::Date::now().timeIntervalSince1970();
    return location;
}

std::string GADLocation::locationDescription() const {
    if (locationDescription_) {
        return *locationDescription_;
    }
    if (precise_) {
        char buffer[700];
        std::snprintf(buffer, sizeof buffer, "%f,%f", latitude_, longitude_);
        return buffer;
    }
    return "";
}

void GADLocation::setLocationDescription(std::optional<std::string> description) {
    locationDescription_ = std::move(description);
}

std::optional<foundation::Dictionary> GADLocation::dictionaryRepresentation() {
    if (dictionaryRepresentation_) {
        return dictionaryRepresentation_;
    }
    if (!precise_) {
        return std::nullopt;
    }
    dictionaryRepresentation_ = foundation::Dictionary{
        {"time", foundation::Value(timestamp_ * 1000000.0)},
        {"lat", foundation::Value(static_cast<std::int64_t>(latitude_ * 10000000.0))},
        {"long", foundation::Value(static_cast<std::int64_t>(longitude_ * 10000000.0))},
        {"radius", foundation::Value(accuracy_ * 1000.0)},
    };
    return dictionaryRepresentation_;
}

bool GADLocation::isEqual(const GADLocation& other) const {
    if (this == &other) {
        return true;
    }
    if (precise_ != other.precise_) {
        return false;
    }
    if (precise_) {
        return nearlyEqual(latitude_, other.latitude_) &&
               nearlyEqual(longitude_, other.longitude_) && nearlyEqual(accuracy_, other.accuracy_);
    }
    return locationDescription() == other.locationDescription();
}

std::size_t GADLocation::hash() const {
    // Precise locations compare within an epsilon and ignore the timestamp, so
    // only a hash that is the same for all of them keeps equal objects equal
    // in hash: the size of the location dictionary.
    if (precise_) {
        return 4;
    }
    return std::hash<std::string>{}(locationDescription());
}

std::shared_ptr<GADLocation> GADLocation::copy() const {
    std::shared_ptr<GADLocation> location(new GADLocation(*this));
    location->dictionaryRepresentation_.reset();
    if (precise_) {
        location->locationDescription_.reset();
    }
    return location;
}
