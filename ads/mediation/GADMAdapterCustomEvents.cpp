#include "ads/mediation/GADMAdapterCustomEvents.h"

#include "ads/api/GADRequest.h"
#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADCustomEventExtras.h"
#include "ads/mediation/GADMAdNetworkConnector.h"
#include "platform/foundation/ClassRegistry.h"

GADMAdapterCustomEvents::GADMAdapterCustomEvents(
    const std::shared_ptr<GADMAdNetworkConnector>& connector)
    : connector_(connector) {}

GADMAdapterCustomEvents::~GADMAdapterCustomEvents() {
    stopBeingDelegate();
}

std::string GADMAdapterCustomEvents::adapterVersion() {
    return GADRequest::sdkVersion();
}

std::optional<std::string> GADMAdapterCustomEvents::networkExtrasClass() {
    return GADCustomEventExtras::kClassName;
}

foundation::Value GADMAdapterCustomEvents::credential(const char* key) const {
    auto connector = connector_.lock();
    if (!connector) {
        return {};
    }
    const auto found = connector->credentials().find(key);
    return found == connector->credentials().end() ? foundation::Value() : found->second;
}

std::optional<std::string> GADMAdapterCustomEvents::credentialText(const char* key) const {
    const foundation::Value value = credential(key);
    if (const std::string* text = value.asString()) {
        return *text;
    }
    return std::nullopt;
}

template <typename Event>
std::shared_ptr<Event> GADMAdapterCustomEvents::customEventWithCredentials(bool isInterstitial) {
    const std::optional<std::string> className = credentialText("class_name");
    if (!className) {
        callBackToConnectorWithError("No class name for the Custom Event.", isInterstitial);
        return nullptr;
    }
    foundation::ClassRegistry& registry = foundation::ClassRegistry::shared();
    if (!registry.exists(*className)) {
        const std::string message = "Cannot find Custom Event class named " + *className + ".";
        callBackToConnectorWithError(message, isInterstitial);
        GADMacros::pubLog(message);
        return nullptr;
    }
    std::shared_ptr<Event> event;
    if (registry.conformsTo(*className, Event::kProtocolName)) {
        event = registry.make<Event>(*className);
    }
    if (!event) {
        const std::string message = "Custom Event class " + *className +
                                    " does not conform to the " + Event::kProtocolName +
                                    " protocol.";
        callBackToConnectorWithError(message, isInterstitial);
        GADMacros::pubLog(message);
    }
    return event;
}

void GADMAdapterCustomEvents::callBackToConnectorWithError(const std::string& message,
                                                           bool isInterstitial) {
    auto connector = connector_.lock();
    if (!connector) {
        return;
    }
    const foundation::Error error{kErrorDomain, 1, message};
    if (isInterstitial) {
        connector->adapterDidFailInterstitial(*this, error);
    } else {
        connector->adapterDidFailAd(*this, error);
    }
}

void GADMAdapterCustomEvents::getBannerWithSize(GADAdSize adSize) {
    std::shared_ptr<GADCustomEventBanner> event =
        customEventWithCredentials<GADCustomEventBanner>(false);
    auto connector = connector_.lock();
    if (!event || !connector) {
        return;
    }
    auto request = std::make_shared<GADCustomEventRequest>(*connector);
    event->setDelegate(std::static_pointer_cast<GADCustomEventBannerDelegate>(shared_from_this()));
    event->requestBannerAd(adSize, credential("parameter"), credentialText("label"), request);
    customEventBanner_ = std::move(event);
}

void GADMAdapterCustomEvents::getInterstitial() {
    std::shared_ptr<GADCustomEventInterstitial> event =
        customEventWithCredentials<GADCustomEventInterstitial>(true);
    auto connector = connector_.lock();
    if (!event || !connector) {
        return;
    }
    auto request = std::make_shared<GADCustomEventRequest>(*connector);
    event->setDelegate(
        std::static_pointer_cast<GADCustomEventInterstitialDelegate>(shared_from_this()));
    event->requestInterstitialAdWithParameter(credential("parameter"), credentialText("label"),
                                              request);
    customEventInterstitial_ = std::move(event);
}

void GADMAdapterCustomEvents::stopBeingDelegate() {
    if (customEventBanner_) {
        customEventBanner_->setDelegate({});
    }
    if (customEventInterstitial_) {
        customEventInterstitial_->setDelegate({});
    }
}

void GADMAdapterCustomEvents::presentInterstitialFromRootViewController(
    const std::shared_ptr<ui::ViewController>& rootViewController) {
    if (customEventInterstitial_) {
        customEventInterstitial_->presentFromRootViewController(rootViewController);
    }
}

void GADMAdapterCustomEvents::customEventBannerDidReceiveAd(GADCustomEventBanner&,
                                                            const std::shared_ptr<ui::View>& view) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidReceiveAdView(*this, view);
    }
}

void GADMAdapterCustomEvents::customEventBannerDidFailAd(GADCustomEventBanner&,
                                                         const foundation::Error& error) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidFailAd(*this, error);
    }
}

void GADMAdapterCustomEvents::customEventBannerClickDidOccurInAd(
    GADCustomEventBanner&, const std::shared_ptr<ui::View>& view) {
    if (auto connector = connector_.lock()) {
        connector->adapterClickDidOccurInBanner(*this, view);
    }
}

void GADMAdapterCustomEvents::customEventBannerWillPresentModal(GADCustomEventBanner&) {
    if (auto connector = connector_.lock()) {
        connector->adapterWillPresentFullScreenModal(*this);
    }
}

void GADMAdapterCustomEvents::customEventBannerWillDismissModal(GADCustomEventBanner&) {
    if (auto connector = connector_.lock()) {
        connector->adapterWillDismissFullScreenModal(*this);
    }
}

void GADMAdapterCustomEvents::customEventBannerDidDismissModal(GADCustomEventBanner&) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidDismissFullScreenModal(*this);
    }
}

void GADMAdapterCustomEvents::customEventBannerWillLeaveApplication(GADCustomEventBanner&) {
    if (auto connector = connector_.lock()) {
        connector->adapterWillLeaveApplication(*this);
    }
}

std::shared_ptr<ui::ViewController>
GADMAdapterCustomEvents::viewControllerForPresentingModalView() {
    auto connector = connector_.lock();
    return connector ? connector->viewControllerForPresentingModalView() : nullptr;
}

void GADMAdapterCustomEvents::customEventInterstitialDidReceiveAd(GADCustomEventInterstitial&,
                                                                  const std::shared_ptr<void>& ad) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidReceiveInterstitial(*this, ad);
    }
}

void GADMAdapterCustomEvents::customEventInterstitialDidFailAd(GADCustomEventInterstitial&,
                                                               const foundation::Error& error) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidFailInterstitial(*this, error);
    }
}

void GADMAdapterCustomEvents::customEventInterstitialWillPresent(GADCustomEventInterstitial&) {
    if (auto connector = connector_.lock()) {
        connector->adapterWillPresentInterstitial(*this);
    }
}

void GADMAdapterCustomEvents::customEventInterstitialWillDismiss(GADCustomEventInterstitial&) {
    if (auto connector = connector_.lock()) {
        connector->adapterWillDismissInterstitial(*this);
    }
}

void GADMAdapterCustomEvents::customEventInterstitialDidDismiss(GADCustomEventInterstitial&) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidDismissInterstitial(*this);
    }
}

void GADMAdapterCustomEvents::customEventInterstitialWillLeaveApplication(
    GADCustomEventInterstitial&) {
    if (auto connector = connector_.lock()) {
        connector->adapterWillLeaveApplication(*this);
    }
}
