#pragma once

// The application's entry point for native ads: made for an ad unit and the
// native formats it wants, it accepts only a delegate able to receive every
// one of them, runs each load through an app-event loader of its own and
// hands over the ads, or the error, through that delegate. Main thread.

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ads/api/GADAppEventAdLoaderDelegate.h"
#include "ads/api/GADNativeAdClass.h"
#include "platform/foundation/Error.h"

class GADAdLoaderDelegate;
class GADAppEventAdLoader;
class GADRequest;
namespace ui {
class ViewController;
}

class GADAdLoader : public GADAppEventAdLoaderDelegate,
                    public std::enable_shared_from_this<GADAdLoader> {
  public:
    // Null, with the log line "Error: <description>", when an ad type is
    // not a native format.
    static std::shared_ptr<GADAdLoader> make(
        const std::string& adUnitID, const std::shared_ptr<ui::ViewController>& rootViewController,
        const std::vector<std::string>& adTypes);

    // Whether the delegate has the interface the format is delivered
    // through; otherwise the private code-3 error naming that interface.
    static bool delegateIsValidForAdClass(const std::shared_ptr<GADAdLoaderDelegate>& delegate,
                                          const GADNativeAdClass& adClass,
                                          std::optional<foundation::Error>* error = nullptr);

    std::shared_ptr<GADAdLoaderDelegate> delegate() const { return delegate_.lock(); }
    // A delegate lacking a wanted format's interface is refused with a log
    // line and the earlier delegate kept.
    void setDelegate(const std::shared_ptr<GADAdLoaderDelegate>& delegate);

    // Starts one more load; loads may run side by side.
    void loadRequest(const std::shared_ptr<GADRequest>& request);

    void appEventAdLoaderDidReceiveAd(GADAppEventAdLoader& loader,
                                      const std::shared_ptr<GADNativeAd>& nativeAd) override;
    void appEventAdLoaderDidFailToReceiveAdWithError(GADAppEventAdLoader& loader,
                                                     const GADRequestError& error) override;
    std::shared_ptr<GADAdLoader> adLoaderForAppEventAdLoader(GADAppEventAdLoader& loader) override;

    const std::string& adUnitID() const { return adUnitID_; }
    const std::set<const GADNativeAdClass*>& adTypes() const { return adTypes_; }
    std::shared_ptr<ui::ViewController> rootViewController() const {
        return rootViewController_.lock();
    }
    const std::vector<std::shared_ptr<GADAppEventAdLoader>>& appEventAdLoaders() const {
        return appEventAdLoaders_;
    }

  private:
    GADAdLoader() = default;

    void removeAppEventAdLoader(const GADAppEventAdLoader& loader);
    void deliverAd(const std::shared_ptr<GADNativeAd>& nativeAd);

    std::weak_ptr<GADAdLoaderDelegate> delegate_;
    std::string adUnitID_;
    std::set<const GADNativeAdClass*> adTypes_;
    std::weak_ptr<ui::ViewController> rootViewController_;
    std::vector<std::shared_ptr<GADAppEventAdLoader>> appEventAdLoaders_;
};
