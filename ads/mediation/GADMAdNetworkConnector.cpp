#include "ads/mediation/GADMAdNetworkConnector.h"

#include "ads/foundation/GADClickTrackerCollection.h"
#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADClickTrackerCollectionMediation.h"
#include "ads/mediation/GADMAdNetworkAdapterClass.h"
#include "ads/mediation/GADMUtilities.h"

GADMAdNetworkConnector::GADMAdNetworkConnector(std::shared_ptr<GADMConfig> config,
                                               std::shared_ptr<GADMAdNetworkConfig> networkConfig)
    : mediationConfig_(std::move(config)), networkConfig_(std::move(networkConfig)) {
    if (networkConfig_ && networkConfig_->credentials()) {
        credentials_ = *networkConfig_->credentials();
    }
    const auto share = credentials_.find(kShareLocationKey);
    if (share != credentials_.end()) {
        const std::string* text = share->second.asString();
        shareLocation_ = text && *text == "1";
        credentials_.erase(share);
    }
}

GADMAdNetworkConnector::~GADMAdNetworkConnector() {
    detach();
    if (adapter_) {
        adapter_->stopBeingDelegate();
    }
}

void GADMAdNetworkConnector::makeAdapter() {
    if (networkConfig_ && networkConfig_->adapterClass()) {
        adapter_ = networkConfig_->adapterClass()->makeAdapter(shared_from_this());
    }
}

void GADMAdNetworkConnector::getAdFromAdapterWithType(const std::shared_ptr<GADAdType>& adType) {
    if (!adType || !adapter_) {
        return;
    }
    if (adType->isInterstitial()) {
        adapter_->getInterstitial();
    } else if (GADAdSizeIsValid(adType->adSize())) {
        adapter_->getBannerWithSize(adType->adSize());
    }
}

void GADMAdNetworkConnector::askAdapterToStopBeingDelegate() {
    if (adapter_) {
        adapter_->stopBeingDelegate();
    }
}

bool GADMAdNetworkConnector::askAdapterIsBannerAnimationOK(std::int64_t animationType) {
    return adapter_ && adapter_->isBannerAnimationOK(animationType);
}

void GADMAdNetworkConnector::detach() {
    adManager_.reset();
    gadmDelegate_.reset();
}

std::optional<std::string> GADMAdNetworkConnector::publisherId() const {
    return networkConfig_ ? networkConfig_->publisherID() : std::nullopt;
}

bool GADMAdNetworkConnector::testMode() const {
    auto delegate = gadmDelegate();
    return delegate && delegate->gadmTestMode();
}

std::shared_ptr<GADAdNetworkExtras> GADMAdNetworkConnector::networkExtras() const {
    const auto& adapterClass = networkConfig_ ? networkConfig_->adapterClass() : nullptr;
    if (!adapterClass || !adapterClass->respondsToNetworkExtrasClass()) {
        GADMacros::pubLog("Adapter class " + (adapterClass ? adapterClass->name() : "(null)") +
                          " does not response to SEL: networkExtrasClass. Unable to retrieve "
                          "network extras.");
        return nullptr;
    }
    const std::optional<std::string> extrasClass = adapterClass->networkExtrasClass();
    auto delegate = gadmDelegate();
    if (!extrasClass || !delegate) {
        return nullptr;
    }
    return delegate->networkExtrasFor(*extrasClass);
}

std::shared_ptr<ui::ViewController> GADMAdNetworkConnector::viewControllerForPresentingModalView()
    const {
    auto delegate = gadmDelegate();
    return delegate ? delegate->viewControllerForPresentingModalView() : nullptr;
}

std::optional<bool> GADMAdNetworkConnector::childDirectedTreatment() const {
    auto delegate = gadmDelegate();
    return delegate ? delegate->childDirectedTreatment() : std::nullopt;
}

std::int64_t GADMAdNetworkConnector::userGender() const {
    auto delegate = gadmDelegate();
    return delegate ? delegate->userGender() : 0;
}

std::optional<foundation::Date> GADMAdNetworkConnector::userBirthday() const {
    auto delegate = gadmDelegate();
    return delegate ? delegate->userBirthday() : std::nullopt;
}

std::optional<std::vector<std::string>> GADMAdNetworkConnector::userKeywords() const {
    auto delegate = gadmDelegate();
    return delegate ? delegate->userKeywords() : std::nullopt;
}

std::shared_ptr<GADLocation> GADMAdNetworkConnector::sharedLocation() const {
    auto delegate = gadmDelegate();
    return shareLocation_ && delegate ? delegate->userLocation() : nullptr;
}

bool GADMAdNetworkConnector::userHasLocation() const {
    std::shared_ptr<GADLocation> location = sharedLocation();
    return location && location->isPreciseLocation();
}

double GADMAdNetworkConnector::userLatitude() const {
    return userHasLocation() ? sharedLocation()->latitude() : 0;
}

double GADMAdNetworkConnector::userLongitude() const {
    return userHasLocation() ? sharedLocation()->longitude() : 0;
}

double GADMAdNetworkConnector::userLocationAccuracyInMeters() const {
    return userHasLocation() ? sharedLocation()->accuracy() : 0;
}

std::optional<std::string> GADMAdNetworkConnector::userLocationDescription() const {
    std::shared_ptr<GADLocation> location = sharedLocation();
    if (!location) {
        return std::nullopt;
    }
    return location->locationDescription();
}

void GADMAdNetworkConnector::pingMediationURLs(const std::optional<foundation::Array>& templates,
                                               const std::string& defaultURL,
                                               const std::optional<std::string>& durations,
                                               const std::optional<std::string>& exitCodes) {
    GADClickTrackerCollectionMediation::trackMediationURLsFromTemplates(
        GADClickTrackerCollection::sharedInstance(), templates, defaultURL,
        networkConfig_ ? std::optional<std::string>(networkConfig_->networkID()) : std::nullopt,
        networkConfig_ ? networkConfig_->allocationID() : std::nullopt,
        mediationConfig_ ? mediationConfig_->qdata() : std::nullopt,
        mediationConfig_ ? std::optional<std::string>(mediationConfig_->appKey()) : std::nullopt,
        didNetworkRefresh_, durations, exitCodes);
}

void GADMAdNetworkConnector::reportClick() {
    if (clicked_) {
        return;
    }
    clicked_ = true;
    pingMediationURLs(mediationConfig_ ? mediationConfig_->clickURLs() : std::nullopt,
                      GADMUtilities::clickTemplate(), std::nullopt, std::nullopt);
}

void GADMAdNetworkConnector::reportImpression() {
    std::optional<std::string> durations;
    std::optional<std::string> exitCodes;
    if (auto delegate = gadmDelegate()) {
        durations = delegate->adapterDurationsParameter();
        exitCodes = delegate->adapterExitCodesParameter();
        delegate->resetTimingAdapters();
    }
    std::optional<foundation::Array> templates =
        networkConfig_ ? networkConfig_->impressionURLs() : std::nullopt;
    if (!templates && mediationConfig_) {
        templates = mediationConfig_->impressionURLs();
    }
    pingMediationURLs(templates, GADMUtilities::impressionTemplate(), durations, exitCodes);
}
