#pragma once

// What the application hears of a native ad it shows: the screens the ad's
// clicks present and leaving the application. Main thread.

class GADNativeAd;

class GADNativeAdDelegate {
  public:
    virtual ~GADNativeAdDelegate() = default;

    virtual void nativeAdWillPresentScreen(GADNativeAd& nativeAd) = 0;
    virtual void nativeAdWillDismissScreen(GADNativeAd& nativeAd) = 0;
    virtual void nativeAdDidDismissScreen(GADNativeAd& nativeAd) = 0;
    virtual void nativeAdWillLeaveApplication(GADNativeAd& nativeAd) = 0;
};
