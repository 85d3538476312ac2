#include "ads/mediation/GADMToGADGlue.h"

#include "ads/api/GADAd.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADMAdNetworkAdapterClass.h"
#include "platform/foundation/NotificationCenter.h"

std::shared_ptr<GADMToGADGlue> GADMToGADGlue::make() {
    auto glue = std::shared_ptr<GADMToGADGlue>(new GADMToGADGlue);
    glue->mediationManager_ = std::make_shared<GADMAdManager>();
    glue->mediationManager_->setDelegate(glue);
    return glue;
}

GADMToGADGlue::~GADMToGADGlue() {
    mediationManager_->setDelegate(nullptr);
    mediationManager_->cancelPendingActions();
}

void GADMToGADGlue::processMediationAdResponse(const std::shared_ptr<GADAd>& ad) {
    auto slot = this->slot();
    if (!slot || !ad) {
        return;
    }
    const std::optional<foundation::Dictionary> json =
        GADMacros::readJsonIntoDictionary(ad->adHTML().value_or(""));
    std::optional<GADRequestError> error;
    std::shared_ptr<GADMConfig> config = GADMConfig::make(
        slot->adUnitID().value_or(""), json.value_or(foundation::Dictionary{}), error);
    if (!config) {
        slot->didFailToReceiveAdWithError(std::make_shared<GADRequestError>(*error), false, false);
        return;
    }
    slot->finishedLoadingAdResponse(ad);
    const bool bannerSlot = !(slot->adType() && slot->adType()->isInterstitial());
    std::shared_ptr<GADAdType> adType = slot->adType();
    if (bannerSlot && !slot->newAdSize().isZero()) {
        adType = GADAdType::bannerAdTypeForSize(GADAdSizeFromCGSize(slot->newAdSize()));
    }
    if (!config->adType()->isValid()) {
        GADMacros::pubLog("Warning: mediated ad type is unknown or invalid. Resetting type to " +
                          (adType ? adType->description() : std::string("(null)")) + ".");
        config->setAdType(adType);
    }
    requestAdWithType(adType, config);
    if (bannerSlot) {
        slot->scheduleReloadTimer(config->refreshInterval());
    }
}

void GADMToGADGlue::requestAdWithType(const std::shared_ptr<GADAdType>& adType,
                                      const std::shared_ptr<GADMConfig>& config) {
    mediationConfig_ = config;
    // A cancel let go of the manager's delegate: this request reports again.
    mediationManager_->setDelegate(shared_from_this());
    if (hasConsistentMediationConfigForAdType(adType)) {
        mediationManager_->mediateForAdType(adType, config);
    }
}

bool GADMToGADGlue::changeAdTypeTo(const std::shared_ptr<GADAdType>& adType) {
    auto slot = this->slot();
    if ((slot && slot->adType() && slot->adType()->isInterstitial()) ||
        (adType && adType->isInterstitial())) {
        return false;
    }
    return mediationManager_->changeAdTypeTo(adType);
}

void GADMToGADGlue::presentInterstitialFromRootViewController(
    const std::shared_ptr<ui::ViewController>& rootViewController) {
    auto slot = this->slot();
    if (slot && slot->adType() && slot->adType()->isInterstitial()) {
        mediationManager_->presentInterstitialFromRootViewController(rootViewController);
    }
}

std::optional<std::string> GADMToGADGlue::shownAdapterClassName() const {
    const auto& connector = mediationManager_->receivedConnector();
    if (!connector || !connector->networkConfig() || !connector->networkConfig()->adapterClass()) {
        return std::nullopt;
    }
    return connector->networkConfig()->adapterClass()->name();
}

void GADMToGADGlue::cancel() {
    mediationManager_->setDelegate(nullptr);
    mediationManager_->cancel();
}

void GADMToGADGlue::reportMisfit(long code, const std::string& message) {
    if (auto slot = this->slot()) {
        slot->didFailToReceiveAdWithError(
            std::make_shared<GADRequestError>(GADRequestError::errorWithCode(code, message)), true,
            false);
    }
}

bool GADMToGADGlue::hasConsistentMediationConfigForAdType(
    const std::shared_ptr<GADAdType>& adType) {
    const std::shared_ptr<GADAdType> configured =
        mediationConfig_ ? mediationConfig_->adType() : nullptr;
    if (!adType) {
        reportMisfit(kGADErrorInvalidRequest, "Invalid requested GADAdType: (null).");
        return false;
    }
    if (!configured) {
        reportMisfit(kGADErrorMediationDataError,
                     "Invalid mediation configuration GADAdType: (null).");
        return false;
    }
    if (adType->isInterstitial() && !configured->isInterstitial()) {
        reportMisfit(kGADErrorMediationInvalidAdSize,
                     "Unable to request an interstitial when mediation configuration was for " +
                         GADAdSizeDescription(configured->adSize()) + ".");
        return false;
    }
    if (!adType->isInterstitial() && configured->isInterstitial()) {
        reportMisfit(kGADErrorMediationInvalidAdSize,
                     "Unable to request " + GADAdSizeDescription(adType->adSize()) +
                         " when mediation configuration was for an interstitial.");
        return false;
    }
    if (adType->isInterstitial() || GADAdSizeIsValid(adType->adSize())) {
        return true;
    }
    reportMisfit(kGADErrorMediationInvalidAdSize, "Unable to request ad with invalid size: " +
                                                      GADAdSizeDescription(adType->adSize()) + ".");
    return false;
}

std::shared_ptr<ui::ViewController> GADMToGADGlue::viewControllerForPresentingModalView() {
    auto slot = this->slot();
    auto delegate = slot ? slot->slotDelegate() : nullptr;
    return delegate ? delegate->rootViewController() : nullptr;
}

void GADMToGADGlue::gadmDidReceiveAd(const std::shared_ptr<ui::View>& view) {
    if (auto slot = this->slot()) {
        slot->setViewForAdUsingView(view);
        slot->didReceiveValidAd();
        slot->adFinishedLoadingContent();
    }
}

void GADMToGADGlue::gadmDidReceiveInterstitial(const std::shared_ptr<void>& interstitial) {
    mediatedInterstitial_ = interstitial;
    if (auto slot = this->slot()) {
        slot->didReceiveValidAd();
        slot->adFinishedLoadingContent();
    }
}

void GADMToGADGlue::gadmDidFailToReceiveAdWithError(const GADRequestError& error) {
    if (auto slot = this->slot()) {
        slot->didFailToReceiveAdWithError(std::make_shared<GADRequestError>(error), false, false);
    }
}

void GADMToGADGlue::gadmBannerAdRefreshFailedWithError(const GADRequestError& error) {
    if (auto slot = this->slot()) {
        slot->mediatedAdNetworkAutoRefreshed();
        slot->adFailedToReceiveContentWithError(error);
    }
}

void GADMToGADGlue::willPresentFullScreen() {
    foundation::NotificationCenter::defaultCenter().post(
        kAdModalViewControllerWillPresentFullScreen);
    if (auto slot = this->slot()) {
        slot->adWillPresentScreen();
    }
}

void GADMToGADGlue::didDismissFullScreen() {
    foundation::NotificationCenter::defaultCenter().post(
        kAdModalViewControllerDidDismissFullScreen);
    if (auto slot = this->slot()) {
        slot->adDidDismissScreen();
    }
}

void GADMToGADGlue::gadmWillPresentFullScreenModal() {
    willPresentFullScreen();
}

void GADMToGADGlue::gadmWillDismissFullScreenModal() {
    if (auto slot = this->slot()) {
        slot->adWillDismissScreen();
    }
}

void GADMToGADGlue::gadmDidDismissFullScreenModal() {
    didDismissFullScreen();
}

void GADMToGADGlue::gadmWillPresentInterstitial() {
    willPresentFullScreen();
}

void GADMToGADGlue::gadmWillDismissInterstitial() {
    gadmWillDismissFullScreenModal();
}

void GADMToGADGlue::gadmDidDismissInterstitial() {
    didDismissFullScreen();
}

void GADMToGADGlue::gadmWillLeaveApplication() {
    if (auto slot = this->slot()) {
        slot->adWillLeaveApplication();
        slot->willLeaveAppDueToClick();
    }
}

bool GADMToGADGlue::gadmTestMode() {
    auto slot = this->slot();
    return slot && slot->request() && slot->request()->isATestDevice();
}

std::shared_ptr<GADAdNetworkExtras> GADMToGADGlue::networkExtrasFor(const std::string& className) {
    auto slot = this->slot();
    return slot && slot->request() ? slot->request()->adNetworkExtrasFor(className) : nullptr;
}

std::int64_t GADMToGADGlue::userGender() {
    auto slot = this->slot();
    return slot && slot->request() ? slot->request()->gender() : 0;
}

std::optional<foundation::Date> GADMToGADGlue::userBirthday() {
    auto slot = this->slot();
    return slot && slot->request() ? slot->request()->birthday() : std::nullopt;
}

std::shared_ptr<GADLocation> GADMToGADGlue::userLocation() {
    auto slot = this->slot();
    return slot && slot->request() ? slot->request()->location() : nullptr;
}

std::optional<std::vector<std::string>> GADMToGADGlue::userKeywords() {
    auto slot = this->slot();
    return slot && slot->request() ? slot->request()->keywords() : std::nullopt;
}

std::optional<bool> GADMToGADGlue::childDirectedTreatment() {
    auto slot = this->slot();
    return slot && slot->request() ? slot->request()->childDirectedTreatment() : std::nullopt;
}

void GADMToGADGlue::startTimingAdapter() {
    if (auto slot = this->slot()) {
        slot->slotStats().startTimingAdapter();
    }
}

void GADMToGADGlue::resetTimingAdapters() {
    if (auto slot = this->slot()) {
        slot->slotStats().resetTimingAdapters();
    }
}

void GADMToGADGlue::endTimingAdapterWithExitCode(std::int64_t exitCode) {
    if (auto slot = this->slot()) {
        slot->slotStats().endTimingAdapterWithExitCode(exitCode);
    }
}

std::optional<std::string> GADMToGADGlue::adapterDurationsParameter() {
    auto slot = this->slot();
    return slot ? slot->slotStats().adapterDurationsParameter() : std::nullopt;
}

std::optional<std::string> GADMToGADGlue::adapterExitCodesParameter() {
    auto slot = this->slot();
    return slot ? slot->slotStats().adapterExitCodesParameter() : std::nullopt;
}
