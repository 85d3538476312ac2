#include "ads/api/GADAppEventAdLoader.h"

#include "ads/api/GADAppEventAdLoaderDelegate.h"
#include "ads/api/GADNativeAd.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/api/RAZBannerView.h"
#include "ads/foundation/GADErrorCode.h"
#include "ads/foundation/GADStringAdditions.h"
#include "platform/foundation/DispatchQueue.h"

namespace {

constexpr const char* kNativeAdContentEvent = "native_ad_content";
constexpr std::int64_t kNativeTemplatesResponseType = 1;

}  // namespace

GADAppEventAdLoader::GADAppEventAdLoader(
    std::string adUnitID, const std::shared_ptr<ui::ViewController>& rootViewController,
    std::set<const GADNativeAdClass*> adTypes)
    : adUnitID_(std::move(adUnitID)),
      rootViewController_(rootViewController),
      adTypes_(std::move(adTypes)) {}

GADAppEventAdLoader::~GADAppEventAdLoader() {
    cancel();
}

void GADAppEventAdLoader::cancelBannerView() {
    if (loadingBannerView_) {
        loadingBannerView_->setDelegate(nullptr);
        loadingBannerView_->setAppEventDelegate(nullptr);
        loadingBannerView_.reset();
    }
}

void GADAppEventAdLoader::cancelNativeAd() {
    if (loadingNativeAd_) {
        loadingNativeAd_->setLoadingDelegate(nullptr);
        loadingNativeAd_.reset();
    }
}

void GADAppEventAdLoader::cancel() {
    cancelBannerView();
    cancelNativeAd();
}

void GADAppEventAdLoader::loadRequest(const std::shared_ptr<GADRequest>& request) {
    cancel();
    const auto self = shared_from_this();
    const auto banner = RAZBannerView::makeWithAdSize(kGADAdSizeBanner);
    loadingBannerView_ = banner;
    banner->setAdUnitID(adUnitID_);
    banner->setRootViewController(rootViewController_.lock());
    banner->setEnableManualImpressions(true);
    banner->setDelegate(self);
    banner->setAppEventDelegate(self);

    foundation::Array formatParameters;
    const auto owner = delegate();
    const auto adLoader = owner ? owner->adLoaderForAppEventAdLoader(*this) : nullptr;
    for (const GADNativeAdClass* adClass : adTypes_) {
        if (adClass && adLoader && !adClass->requestParametersForAdLoader.empty()) {
            formatParameters.emplace_back(adClass->requestParametersForAdLoader);
        }
    }
    const auto nativeRequest = request ? request->copy() : GADRequest::request();
    nativeRequest->setFormatParameters(std::move(formatParameters));
    nativeRequest->setResponseType(kNativeTemplatesResponseType);
    // The banner drops a request its slot refuses without a word; this load
    // would then never end, so it fails here instead.
    if (banner->rootViewController() && !banner->slot()->shouldMakeRequest(nativeRequest)) {
        failedToLoadAdWithError(std::nullopt);
        return;
    }
    banner->loadRequest(nativeRequest);
}

void GADAppEventAdLoader::failedToLoadAdWithError(const std::optional<GADRequestError>& error) {
    const auto self = shared_from_this();
    cancel();
    const auto owner = delegate();
    if (!owner) {
        return;
    }
    owner->appEventAdLoaderDidFailToReceiveAdWithError(
        *this, error ? *error
                     : GADRequestError::errorWithCode(kGADErrorNetworkError,
                                                      std::string("Couldn't load ad.")));
}

void GADAppEventAdLoader::adViewDidReceiveAd(GADBannerView& bannerView) {
    if (&bannerView != loadingBannerView_.get()) {
        return;
    }
    // The configuration must follow within the wait; it fails the load only
    // when this banner is still the one loading.
    std::weak_ptr<GADAppEventAdLoader> weakSelf = weak_from_this();
    std::weak_ptr<RAZBannerView> weakBanner = loadingBannerView_;
    foundation::DispatchQueue::main()->after(kConfigurationWait, [weakSelf, weakBanner] {
        const auto self = weakSelf.lock();
        const auto banner = weakBanner.lock();
        if (self && banner) {
            self->adViewDidFailToReceiveAdWithError(
                *banner, GADRequestError::errorWithCode(
                             kGADErrorTimeout, std::string("Failed to receive ad configuration.")));
        }
    });
}

void GADAppEventAdLoader::adViewDidFailToReceiveAdWithError(GADBannerView& bannerView,
                                                            const GADRequestError& error) {
    if (&bannerView == loadingBannerView_.get()) {
        failedToLoadAdWithError(error);
    }
}

void GADAppEventAdLoader::adViewDidReceiveAppEvent(GADBannerView& bannerView,
                                                   const std::string& name,
                                                   const std::optional<std::string>& info) {
    if (&bannerView != loadingBannerView_.get()) {
        return;
    }
    const auto configuration =
        info ? GADJSONAdditions::gad_decodedJSONObjectError(*info) : std::nullopt;
    if (!configuration || !configuration->isDictionary() || name != kNativeAdContentEvent) {
        failedToLoadAdWithError(GADRequestError::errorWithCode(
            kGADErrorInternalError, std::string("Received malformed ad data.")));
        return;
    }
    // The banner goes; its slot, holding the ad's page, lives on in the ad.
    const auto self = shared_from_this();
    const auto banner = loadingBannerView_;
    const auto slot = banner->slot();
    cancelBannerView();
    loadAssetsForAdConfiguration(*configuration->asDictionary(), slot);
}

void GADAppEventAdLoader::loadAssetsForAdConfiguration(const foundation::Dictionary& configuration,
                                                       const std::shared_ptr<GADSlot>& slot) {
    const GADNativeAdClass* adClass =
        GADNativeAd::classFromAdConfigurationDictionary(configuration);
    if (!adClass || !adTypes_.contains(adClass)) {
        failedToLoadAdWithError(GADRequestError::errorWithCode(
            kGADErrorInternalError, std::string("Received invalid ad response.")));
        return;
    }
    const auto adObject = GADNativeAd::firstAdObjectInAdConfigurationDictionary(configuration);
    const auto ad = adObject ? adClass->make(*adObject) : nullptr;
    if (!ad) {
        failedToLoadAdWithError(GADRequestError::errorWithCode(
            kGADErrorInternalError, std::string("Received malformed ad data.")));
        return;
    }
    ad->setAdUnitID(adUnitID_);
    ad->setRootViewController(rootViewController_.lock());
    ad->setLoadingDelegate(shared_from_this());
    ad->setSlot(slot);
    loadingNativeAd_ = ad;
    ad->loadAssets();
}

void GADAppEventAdLoader::nativeAdDidFinishLoadingAssets(GADNativeAd& nativeAd) {
    if (&nativeAd != loadingNativeAd_.get()) {
        return;
    }
    const auto self = shared_from_this();
    const auto ad = loadingNativeAd_;
    cancelNativeAd();
    if (const auto owner = delegate()) {
        owner->appEventAdLoaderDidReceiveAd(*this, ad);
    }
}

void GADAppEventAdLoader::nativeAdDidFailToLoadRequiredAssets(GADNativeAd& nativeAd) {
    if (&nativeAd == loadingNativeAd_.get()) {
        failedToLoadAdWithError(GADRequestError::errorWithCode(
            kGADErrorNetworkError, std::string("Couldn't load native ad assets.")));
    }
}
