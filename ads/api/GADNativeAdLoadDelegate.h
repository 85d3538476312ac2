#pragma once

// The loader waiting for a native ad's images: it hears exactly one of the
// two outcomes per ad. Main thread.

class GADNativeAd;

class GADNativeAdLoadDelegate {
  public:
    virtual ~GADNativeAdLoadDelegate() = default;

    virtual void nativeAdDidFinishLoadingAssets(GADNativeAd& nativeAd) = 0;
    virtual void nativeAdDidFailToLoadRequiredAssets(GADNativeAd& nativeAd) = 0;
};
