#pragma once

// What the application hears of its ad loader: failures, and the native ads
// of each format it asked for through the interface of that format. Main
// thread.

#include <memory>

class GADAdLoader;
class GADNativeAppInstallAd;
class GADNativeContentAd;
class GADRequestError;

class GADAdLoaderDelegate {
  public:
    virtual ~GADAdLoaderDelegate() = default;

    virtual void adLoaderDidFailToReceiveAdWithError(GADAdLoader& adLoader,
                                                     const GADRequestError& error) = 0;
};

class GADNativeAppInstallAdLoaderDelegate : public virtual GADAdLoaderDelegate {
  public:
    virtual void adLoaderDidReceiveNativeAppInstallAd(
        GADAdLoader& adLoader, const std::shared_ptr<GADNativeAppInstallAd>& nativeAd) = 0;
};

class GADNativeContentAdLoaderDelegate : public virtual GADAdLoaderDelegate {
  public:
    virtual void adLoaderDidReceiveNativeContentAd(
        GADAdLoader& adLoader, const std::shared_ptr<GADNativeContentAd>& nativeAd) = 0;
};
