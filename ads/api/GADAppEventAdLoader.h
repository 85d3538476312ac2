#pragma once

// One native ad load: an ordinary banner loaded out of sight with a request
// asking for native templates, whose page answers with the app event
// "native_ad_content" carrying the native ad configuration; the native ad
// built from it loads its images and is handed to the delegate, or the load
// fails once. Main thread.

#include <memory>
#include <optional>
#include <set>
#include <string>

#include "ads/api/GADAppEventDelegate.h"
#include "ads/api/GADBannerViewDelegate.h"
#include "ads/api/GADNativeAdClass.h"
#include "ads/api/GADNativeAdLoadDelegate.h"
#include "platform/foundation/Value.h"

class GADAppEventAdLoaderDelegate;
class GADRequest;
class GADRequestError;
class GADSlot;
class RAZBannerView;
namespace ui {
class ViewController;
}

class GADAppEventAdLoader : public GADBannerViewDelegate,
                            public GADAppEventDelegate,
                            public GADNativeAdLoadDelegate,
                            public std::enable_shared_from_this<GADAppEventAdLoader> {
  public:
    // Seconds the configuration may take once the banner has its ad.
    static constexpr double kConfigurationWait = 5;

    GADAppEventAdLoader(std::string adUnitID,
                        const std::shared_ptr<ui::ViewController>& rootViewController,
                        std::set<const GADNativeAdClass*> adTypes);
    ~GADAppEventAdLoader() override;

    void loadRequest(const std::shared_ptr<GADRequest>& request);
    // Drops the banner and the native ad still loading.
    void cancel();

    void adViewDidReceiveAd(GADBannerView& bannerView) override;
    void adViewDidFailToReceiveAdWithError(GADBannerView& bannerView,
                                           const GADRequestError& error) override;
    void adViewDidReceiveAppEvent(GADBannerView& bannerView, const std::string& name,
                                  const std::optional<std::string>& info) override;
    void nativeAdDidFinishLoadingAssets(GADNativeAd& nativeAd) override;
    void nativeAdDidFailToLoadRequiredAssets(GADNativeAd& nativeAd) override;

    std::shared_ptr<GADAppEventAdLoaderDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<GADAppEventAdLoaderDelegate>& delegate) {
        delegate_ = delegate;
    }
    const std::string& adUnitID() const { return adUnitID_; }
    const std::shared_ptr<RAZBannerView>& loadingBannerView() const { return loadingBannerView_; }
    const std::shared_ptr<GADNativeAd>& loadingNativeAd() const { return loadingNativeAd_; }

  private:
    void cancelBannerView();
    void cancelNativeAd();
    // Ends the load: a missing error becomes code 2 "Couldn't load ad.".
    void failedToLoadAdWithError(const std::optional<GADRequestError>& error);
    void loadAssetsForAdConfiguration(const foundation::Dictionary& configuration,
                                      const std::shared_ptr<GADSlot>& slot);

    std::weak_ptr<GADAppEventAdLoaderDelegate> delegate_;
    std::shared_ptr<RAZBannerView> loadingBannerView_;
    std::shared_ptr<GADNativeAd> loadingNativeAd_;
    std::string adUnitID_;
    std::weak_ptr<ui::ViewController> rootViewController_;
    std::set<const GADNativeAdClass*> adTypes_;
};
