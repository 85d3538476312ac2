#include "ads/mediation/GADMAdapterDezuvoZiZezAds.h"

#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADZiZezExtras.h"
#include "ads/foundation/GADDevice.h"
#include "ads/mediation/GADMAdManager.h"
#include "ads/mediation/GADMAdNetworkConnector.h"
#include "ads/mediation/GADMToGADGlue.h"
#include "ads/webview/GADOpener.h"

namespace {

// The test devices of a request in test mode: the simulator and this device
// when it has an advertising identifier.
foundation::Array testDevices() {
    foundation::Array devices{"Simulator"};
    const std::string identifier = GADDevice::currentDevice().deviceIdentifier();
    if (!identifier.empty()) {
        devices.emplace_back(identifier);
    }
    return devices;
}

foundation::Dictionary extraParameters(const GADMAdNetworkConnector& connector) {
    foundation::Dictionary parameters;
    if (auto extras = std::dynamic_pointer_cast<GADZiZezExtras>(connector.networkExtras())) {
        parameters = extras->additionalParameters().value_or(foundation::Dictionary{});
    }
    if (auto hac = connector.credentials().find("mad_hac"); hac != connector.credentials().end()) {
        parameters["mad_hac"] = hac->second;
    }
    parameters["gw"] = "1";
    const auto& network = connector.networkConfig();
    if (network && network->extras()) {
        for (const auto& [key, value] : *network->extras()) {
            if (value.isString()) {
                parameters[key] = value;
            }
        }
    }
    if (network && network->ad()) {
        parameters["_ad"] = *network->ad();
    }
    return parameters;
}

// Every network's adapter list of the waterfall, in order.
foundation::Array adapterLists(const GADMAdNetworkConnector& connector) {
    foundation::Array lists;
    if (const auto& config = connector.mediationConfig()) {
        for (const auto& network : config->adNetworkConfigs()) {
            lists.push_back(network->adapterList() ? foundation::Value(*network->adapterList())
                                                   : foundation::Value());
        }
    }
    return lists;
}

// The slot whose waterfall runs this network, if any.
std::shared_ptr<GADSlot> mediatingSlot(const GADMAdNetworkConnector& connector) {
    auto manager = connector.adManager();
    auto glue = manager ? std::dynamic_pointer_cast<GADMToGADGlue>(manager->delegate()) : nullptr;
    return glue ? glue->slot() : nullptr;
}

// A waterfall of a slot that this adapter made would place the component's
// ads inside its own ad again, and so on without end: such a network has no
// ad to give.
bool isNestedInOwnAd(const GADMAdNetworkConnector& connector) {
    auto mediating = mediatingSlot(connector);
    return mediating && mediating->isCreatedForMediation();
}

// The auto-click protection of the slot whose waterfall runs this network,
// carried over to the slot of the ad it places, which is marked as made for
// mediation.
void prepareSlot(const GADMAdNetworkConnector& connector, GADSlot& slot) {
    auto mediating = mediatingSlot(connector);
    auto from = mediating ? mediating->opener() : nullptr;
    if (auto to = slot.opener()) {
        to->setAutoClickProtected(from && from->isAutoClickProtected());
    }
    slot.setCreatedForMediation(true);
}

foundation::Error noFillError() {
    return GADRequestError::errorWithCode(kGADErrorNoFill).error();
}

}  // namespace

GADMAdapterDezuvoZiZezAds::GADMAdapterDezuvoZiZezAds(
    const std::shared_ptr<GADMAdNetworkConnector>& connector)
    : connector_(connector) {}

GADMAdapterDezuvoZiZezAds::~GADMAdapterDezuvoZiZezAds() {
    stopBeingDelegate();
}

std::string GADMAdapterDezuvoZiZezAds::adapterVersion() {
    return GADRequest::sdkVersion();
}

std::shared_ptr<GADRequest> GADMAdapterDezuvoZiZezAds::request() const {
    auto request = std::make_shared<GADRequest>();
    auto connector = connector_.lock();
    if (!connector) {
        return request;
    }
    if (connector->testMode()) {
        request->setTestDevices(testDevices());
    }
    if (const std::optional<bool> childDirected = connector->childDirectedTreatment()) {
        request->tagForChildDirectedTreatment(*childDirected);
    }
    request->setGender(connector->userGender());
    request->setBirthday(connector->userBirthday());
    if (connector->userHasLocation()) {
        request->setLocationWithLatitude(connector->userLatitude(), connector->userLongitude(),
                                         connector->userLocationAccuracyInMeters());
    } else if (const auto description = connector->userLocationDescription()) {
        request->setLocationWithDescription(*description);
    }
    request->setKeywords(connector->userKeywords());
    auto extras = std::make_shared<GADZiZezExtras>();
    extras->setAdditionalParameters(extraParameters(*connector));
    request->registerAdNetworkExtras(extras);
    request->setPrivateMediationExtras(
        foundation::Dictionary{{"man", adapterLists(*connector)}, {"mcan", kClassName}});
    return request;
}

void GADMAdapterDezuvoZiZezAds::getBannerWithSize(GADAdSize adSize) {
    auto connector = connector_.lock();
    if (!connector) {
        return;
    }
    if (isNestedInOwnAd(*connector)) {
        connector->adapterDidFailAd(*this, noFillError());
        return;
    }
    std::shared_ptr<GADRequest> request = this->request();
    banner_ = GADBannerView::makeWithAdSize(adSize);
    if (!banner_) {
        return;
    }
    banner_->setAdUnitID(connector->publisherId());
    banner_->setDelegate(shared_from_this());
    banner_->setRootViewController(connector->viewControllerForPresentingModalView());
    banner_->setCreatedOnMediationRequest(true);
    prepareSlot(*connector, *banner_->slot());
    banner_->loadRequest(request);
}

void GADMAdapterDezuvoZiZezAds::getInterstitial() {
    auto connector = connector_.lock();
    if (!connector) {
        return;
    }
    if (isNestedInOwnAd(*connector)) {
        connector->adapterDidFailInterstitial(*this, noFillError());
        return;
    }
    std::shared_ptr<GADRequest> request = this->request();
    interstitial_ = GADInterstitial::make();
    interstitial_->setAdUnitID(connector->publisherId());
    interstitial_->setDelegate(shared_from_this());
    prepareSlot(*connector, *interstitial_->slot());
    interstitial_->loadRequest(request);
}

void GADMAdapterDezuvoZiZezAds::stopBeingDelegate() {
    if (banner_) {
        banner_->setDelegate(nullptr);
    }
    if (interstitial_) {
        interstitial_->setDelegate({});
    }
}

void GADMAdapterDezuvoZiZezAds::presentInterstitialFromRootViewController(
    const std::shared_ptr<ui::ViewController>& rootViewController) {
    if (interstitial_) {
        interstitial_->presentFromRootViewController(rootViewController);
    }
}

bool GADMAdapterDezuvoZiZezAds::changeAdSizeTo(GADAdSize adSize) {
    if (!banner_) {
        return false;
    }
    banner_->setAdSize(adSize);
    return true;
}

void GADMAdapterDezuvoZiZezAds::adViewDidReceiveAd(GADBannerView&) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidReceiveAdView(*this, banner_);
    }
}

void GADMAdapterDezuvoZiZezAds::adViewDidFailToReceiveAdWithError(GADBannerView&,
                                                                  const GADRequestError& error) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidFailAd(*this, error.error());
    }
}

void GADMAdapterDezuvoZiZezAds::adViewWillPresentScreen(GADBannerView&) {
    if (auto connector = connector_.lock()) {
        connector->adapterClickDidOccurInBanner(*this, banner_);
        connector->adapterWillPresentFullScreenModal(*this);
    }
}

void GADMAdapterDezuvoZiZezAds::adViewWillDismissScreen(GADBannerView&) {
    if (auto connector = connector_.lock()) {
        connector->adapterWillDismissFullScreenModal(*this);
    }
}

void GADMAdapterDezuvoZiZezAds::adViewDidDismissScreen(GADBannerView&) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidDismissFullScreenModal(*this);
    }
}

void GADMAdapterDezuvoZiZezAds::adViewWillLeaveApplication(GADBannerView&) {
    if (auto connector = connector_.lock()) {
        connector->adapterClickDidOccurInBanner(*this, banner_);
        connector->adapterWillLeaveApplication(*this);
    }
}

void GADMAdapterDezuvoZiZezAds::interstitialDidReceiveAd(GADInterstitial&) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidReceiveInterstitial(*this, interstitial_);
    }
}

void GADMAdapterDezuvoZiZezAds::interstitialDidFailToReceiveAdWithError(
    GADInterstitial&, const GADRequestError& error) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidFailInterstitial(*this, error.error());
    }
}

void GADMAdapterDezuvoZiZezAds::interstitialWillPresentScreen(GADInterstitial&) {
    if (auto connector = connector_.lock()) {
        connector->adapterWillPresentInterstitial(*this);
    }
}

void GADMAdapterDezuvoZiZezAds::interstitialWillDismissScreen(GADInterstitial&) {
    if (auto connector = connector_.lock()) {
        connector->adapterWillDismissInterstitial(*this);
    }
}

void GADMAdapterDezuvoZiZezAds::interstitialDidDismissScreen(GADInterstitial&) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidDismissInterstitial(*this);
    }
}

void GADMAdapterDezuvoZiZezAds::interstitialWillLeaveApplication(GADInterstitial&) {
    if (auto connector = connector_.lock()) {
        connector->adapterWillLeaveApplication(*this);
    }
}
