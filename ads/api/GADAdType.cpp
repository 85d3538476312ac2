#include "ads/api/GADAdType.h"

#include <functional>

std::shared_ptr<GADAdType> GADAdType::makeForInterstitial() {
    auto type = std::make_shared<GADAdType>(kGADAdSizeInvalid);
    type->isInterstitial_ = true;
    return type;
}

std::shared_ptr<GADAdType> GADAdType::bannerAdTypeForSize(GADAdSize adSize) {
    return std::make_shared<GADAdType>(adSize);
}

std::shared_ptr<GADAdType> GADAdType::interstitialAdType() {
    return makeForInterstitial();
}

bool GADAdType::isEqual(const GADAdType& other) const {
    if (this == &other) {
        return true;
    }
    if (isInterstitial_ || other.isInterstitial_) {
        // A banner holding the interstitial's size is still not an
        // interstitial; equal objects must hash alike.
        return isInterstitial_ == other.isInterstitial_;
    }
    return GADAdSizeIsEqualToAdSize(adSize_, other.adSize_);
}

std::size_t GADAdType::hash() const {
    if (isInterstitial_) {
        return 1;
    }
    return std::hash<std::string>{}(graphics::toString(adSize_.size) + " " +
                                    std::to_string(adSize_.flags));
}

bool GADAdType::isValid() const {
    return isInterstitial_ || GADAdSizeIsValid(adSize_);
}

std::string GADAdType::description() const {
    if (isInterstitial_) {
        return "GADAdType interstitial type";
    }
    return "GADAdType banner with size: " + GADAdSizeDescription(adSize_);
}
