#pragma once

// The application's entry point for native ads: made for an ad unit and the
// native formats it wants, it accepts only a delegate able to receive every
// one of them, runs each load through an app-event loader of its own and
// hands over the ads, or the error, through that delegate. A native response
// reaching its own slot is preprocessed into an ad the same way. Main thread.

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ads/api/GADAppEventAdLoaderDelegate.h"
#include "ads/api/GADNativeAdClass.h"
#include "ads/api/GADNativeAdLoadDelegate.h"
#include "ads/api/GADSlotDelegate.h"
#include "platform/foundation/Error.h"

class GADAdLoaderDelegate;
class GADAdPreprocessor;
class GADAppEventAdLoader;
class GADRequest;
namespace ui {
class ViewController;
}

class GADAdLoader : public GADAppEventAdLoaderDelegate,
                    public GADNativeAdLoadDelegate,
                    public GADSlotAdResponseDelegate,
                    public GADSlotDelegate,
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

    // The own slot's outcomes: a native response is preprocessed and taken,
    // any other is refused (the slot then fails it); a failure reaches the
    // delegate, code 11 when it came without an error.
    void slotDidFailToReceiveAdWithError(GADSlot& slot,
                                         const std::shared_ptr<GADRequestError>& error) override;
    bool slotDidReceiveAd(GADSlot& slot, const std::shared_ptr<GADAd>& ad) override;

    // The images of a preprocessed ad: code 2 when a required one failed.
    void nativeAdDidFinishLoadingAssets(GADNativeAd& nativeAd) override;
    void nativeAdDidFailToLoadRequiredAssets(GADNativeAd& nativeAd) override;

    const std::string& adUnitID() const { return adUnitID_; }
    const std::set<const GADNativeAdClass*>& adTypes() const { return adTypes_; }
    std::shared_ptr<ui::ViewController> rootViewController() const override {
        return rootViewController_.lock();
    }
    const std::shared_ptr<GADSlot>& slot() const { return slot_; }
    const std::vector<std::shared_ptr<GADAppEventAdLoader>>& appEventAdLoaders() const {
        return appEventAdLoaders_;
    }
    const std::vector<std::shared_ptr<GADAdPreprocessor>>& adPreprocessors() const {
        return adPreprocessors_;
    }
    const std::vector<std::shared_ptr<GADNativeAd>>& nativeAds() const { return nativeAds_; }

  private:
    GADAdLoader() = default;

    void removeAppEventAdLoader(const GADAppEventAdLoader& loader);
    void deliverAd(const std::shared_ptr<GADNativeAd>& nativeAd);
    void failWithError(const GADRequestError& error);
    // Makes the ad of a preprocessed configuration and loads its images;
    // code 13 when there is none of a wanted format.
    void preprocessorDidFinish(const GADAdPreprocessor& preprocessor,
                               const std::optional<foundation::Dictionary>& configuration,
                               const std::shared_ptr<GADSlot>& slot);
    // Takes the ad out of the loading ones; null when it was not among them.
    std::shared_ptr<GADNativeAd> removeNativeAd(const GADNativeAd& nativeAd);

    std::weak_ptr<GADAdLoaderDelegate> delegate_;
    std::string adUnitID_;
    std::set<const GADNativeAdClass*> adTypes_;
    std::weak_ptr<ui::ViewController> rootViewController_;
    std::shared_ptr<GADSlot> slot_;
    std::vector<std::shared_ptr<GADAppEventAdLoader>> appEventAdLoaders_;
    std::vector<std::shared_ptr<GADAdPreprocessor>> adPreprocessors_;
    std::vector<std::shared_ptr<GADNativeAd>> nativeAds_;
};
