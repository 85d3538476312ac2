#pragma once

// The ad loader behind an app-event loader: hears its one outcome per load
// and names itself for the request's format parameters. Main thread.

#include <memory>

class GADAdLoader;
class GADAppEventAdLoader;
class GADNativeAd;
class GADRequestError;

class GADAppEventAdLoaderDelegate {
  public:
    virtual ~GADAppEventAdLoaderDelegate() = default;

    virtual void appEventAdLoaderDidReceiveAd(GADAppEventAdLoader& loader,
                                              const std::shared_ptr<GADNativeAd>& nativeAd) = 0;
    virtual void appEventAdLoaderDidFailToReceiveAdWithError(GADAppEventAdLoader& loader,
                                                             const GADRequestError& error) = 0;
    virtual std::shared_ptr<GADAdLoader> adLoaderForAppEventAdLoader(
        GADAppEventAdLoader& loader) = 0;
};
