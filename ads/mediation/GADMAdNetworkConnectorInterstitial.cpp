#include "ads/mediation/GADMAdNetworkConnectorInterstitial.h"

#include "ads/mediation/GADMAdManager.h"

std::shared_ptr<GADMAdNetworkConnectorInterstitial> GADMAdNetworkConnectorInterstitial::make(
    std::shared_ptr<GADMConfig> config, std::shared_ptr<GADMAdNetworkConfig> networkConfig) {
    auto connector = std::make_shared<GADMAdNetworkConnectorInterstitial>(std::move(config),
                                                                          std::move(networkConfig));
    connector->makeAdapter();
    return connector;
}

void GADMAdNetworkConnectorInterstitial::adapterDidReceiveInterstitial(
    GADMAdNetworkAdapter& adapter, const std::shared_ptr<void>& interstitial) {
    if (!isOwnAdapter(adapter)) {
        return;
    }
    auto self = shared_from_this();
    setClicked(false);
    if (auto manager = adManager()) {
        manager->adRequestReturnsFromConnectorWithInterstitial(self, interstitial);
    }
}

void GADMAdNetworkConnectorInterstitial::adapterDidFailInterstitial(
    GADMAdNetworkAdapter& adapter, const foundation::Error& error) {
    if (!isOwnAdapter(adapter)) {
        return;
    }
    auto self = shared_from_this();
    if (auto manager = adManager()) {
        manager->adRequestFailedFromConnectorWithError(self, error);
    }
}

void GADMAdNetworkConnectorInterstitial::adapterWillPresentInterstitial(GADMAdNetworkAdapter&) {
    if (auto delegate = gadmDelegate()) {
        delegate->gadmWillPresentInterstitial();
    }
    reportImpression();
}

void GADMAdNetworkConnectorInterstitial::adapterWillDismissInterstitial(GADMAdNetworkAdapter&) {
    calledWillDismissInterstitial_ = true;
    if (auto delegate = gadmDelegate()) {
        delegate->gadmWillDismissInterstitial();
    }
}

void GADMAdNetworkConnectorInterstitial::adapterDidDismissInterstitial(
    GADMAdNetworkAdapter& adapter) {
    if (!calledWillDismissInterstitial_) {
        adapterWillDismissInterstitial(adapter);
    }
    if (auto delegate = gadmDelegate()) {
        delegate->gadmDidDismissInterstitial();
    }
}

void GADMAdNetworkConnectorInterstitial::adapterWillLeaveApplication(GADMAdNetworkAdapter&) {
    if (auto delegate = gadmDelegate()) {
        delegate->gadmWillLeaveApplication();
    }
}
