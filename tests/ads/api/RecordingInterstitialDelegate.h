#pragma once

// An interstitial's delegate that writes down each event it hears, in order:
// "received", "failed <code>", "will present", "will dismiss", "did dismiss",
// "will leave".

#include <string>
#include <vector>

#include "ads/api/GADInterstitialDelegate.h"
#include "ads/api/GADRequestError.h"

class RecordingInterstitialDelegate : public GADInterstitialDelegate {
  public:
    void interstitialDidReceiveAd(GADInterstitial&) override { log.push_back("received"); }
    void interstitialDidFailToReceiveAdWithError(GADInterstitial&,
                                                 const GADRequestError& error) override {
        log.push_back("failed " + std::to_string(error.code()));
    }
    void interstitialWillPresentScreen(GADInterstitial&) override { log.push_back("will present"); }
    void interstitialWillDismissScreen(GADInterstitial&) override { log.push_back("will dismiss"); }
    void interstitialDidDismissScreen(GADInterstitial&) override { log.push_back("did dismiss"); }
    void interstitialWillLeaveApplication(GADInterstitial&) override {
        log.push_back("will leave");
    }

    std::vector<std::string> log;
};
