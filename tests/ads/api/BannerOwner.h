#pragma once

// A banner's delegate for end-to-end tests: counts the ads received and
// keeps the code of every failure.

#include <vector>

#include "ads/api/GADBannerViewDelegate.h"
#include "ads/api/GADRequestError.h"

class BannerOwner : public GADBannerViewDelegate {
  public:
    void adViewDidReceiveAd(GADBannerView&) override { ++received; }
    void adViewDidFailToReceiveAdWithError(GADBannerView&, const GADRequestError& error) override {
        failures.push_back(error.code());
    }
    int received = 0;
    std::vector<long> failures;
};
