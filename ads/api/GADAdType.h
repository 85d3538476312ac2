#pragma once

// What a slot asks for: a banner of an ad size, or an interstitial (which
// holds the size -1 x -1).

#include <cstddef>
#include <memory>
#include <string>

#include "ads/api/GADAdSize.h"

class GADAdType {
  public:
    explicit GADAdType(GADAdSize adSize) : adSize_(adSize) {}
    static std::shared_ptr<GADAdType> makeForInterstitial();
    static std::shared_ptr<GADAdType> bannerAdTypeForSize(GADAdSize adSize);
    static std::shared_ptr<GADAdType> interstitialAdType();

    // Two interstitials are equal; two banners are equal when their sizes are
    // equal in width, height and flags; a banner never equals an interstitial.
    bool isEqual(const GADAdType& other) const;
    // 1 for an interstitial, else the hash of "<size text> <flags>".
    std::size_t hash() const;
    bool isValid() const;
    // "GADAdType interstitial type" or "GADAdType banner with size: ...".
    std::string description() const;

    bool isInterstitial() const { return isInterstitial_; }
    GADAdSize adSize() const { return adSize_; }
    void setAdSize(GADAdSize adSize) { adSize_ = adSize; }

  private:
    bool isInterstitial_ = false;
    GADAdSize adSize_;
};
