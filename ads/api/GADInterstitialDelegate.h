#pragma once

// What the application hears of its interstitial, always on the main thread.
// Every method is optional.

class GADInterstitial;
class GADRequestError;

class GADInterstitialDelegate {
  public:
    virtual ~GADInterstitialDelegate() = default;

    virtual void interstitialDidReceiveAd(GADInterstitial&) {}
    virtual void interstitialDidFailToReceiveAdWithError(GADInterstitial&, const GADRequestError&) {
    }
    virtual void interstitialWillPresentScreen(GADInterstitial&) {}
    virtual void interstitialWillDismissScreen(GADInterstitial&) {}
    virtual void interstitialDidDismissScreen(GADInterstitial&) {}
    virtual void interstitialWillLeaveApplication(GADInterstitial&) {}
};
