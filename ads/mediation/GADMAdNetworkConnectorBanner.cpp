#include "ads/mediation/GADMAdNetworkConnectorBanner.h"

#include "ads/mediation/GADMAdManager.h"

std::shared_ptr<GADMAdNetworkConnectorBanner> GADMAdNetworkConnectorBanner::make(
    std::shared_ptr<GADMConfig> config, std::shared_ptr<GADMAdNetworkConfig> networkConfig) {
    auto connector =
        std::make_shared<GADMAdNetworkConnectorBanner>(std::move(config), std::move(networkConfig));
    connector->makeAdapter();
    return connector;
}

void GADMAdNetworkConnectorBanner::noteAnswer() {
    setDidNetworkRefresh(didNetworkReturn_);
    didNetworkReturn_ = true;
}

void GADMAdNetworkConnectorBanner::adapterDidReceiveAdView(GADMAdNetworkAdapter& adapter,
                                                           const std::shared_ptr<ui::View>& view) {
    if (!isOwnAdapter(adapter)) {
        return;
    }
    // An answer the manager drops (the connector was let go, or another
    // network's turn runs) is not shown: it pings nothing and leaves the
    // running waterfall's timings alone.
    auto self = shared_from_this();
    auto manager = adManager();
    if (!manager || !manager->adRequestReturnsFromConnectorWithView(self, view)) {
        return;
    }
    noteAnswer();
    setClicked(false);
    reportImpression();
}

void GADMAdNetworkConnectorBanner::adapterDidFailAd(GADMAdNetworkAdapter& adapter,
                                                    const foundation::Error& error) {
    if (!isOwnAdapter(adapter)) {
        return;
    }
    auto self = shared_from_this();
    noteAnswer();
    if (auto manager = adManager()) {
        manager->adRequestFailedFromConnectorWithError(self, error);
    }
}

void GADMAdNetworkConnectorBanner::adapterClickDidOccurInBanner(GADMAdNetworkAdapter& adapter,
                                                                const std::shared_ptr<ui::View>&) {
    if (isOwnAdapter(adapter)) {
        reportClick();
    }
}

void GADMAdNetworkConnectorBanner::adapterWillPresentFullScreenModal(GADMAdNetworkAdapter&) {
    if (auto delegate = gadmDelegate()) {
        delegate->gadmWillPresentFullScreenModal();
    }
    reportClick();
}

void GADMAdNetworkConnectorBanner::adapterWillDismissFullScreenModal(GADMAdNetworkAdapter&) {
    if (auto delegate = gadmDelegate()) {
        delegate->gadmWillDismissFullScreenModal();
    }
}

void GADMAdNetworkConnectorBanner::adapterDidDismissFullScreenModal(GADMAdNetworkAdapter&) {
    if (auto delegate = gadmDelegate()) {
        delegate->gadmDidDismissFullScreenModal();
    }
}

void GADMAdNetworkConnectorBanner::adapterWillLeaveApplication(GADMAdNetworkAdapter&) {
    if (auto delegate = gadmDelegate()) {
        delegate->gadmWillLeaveApplication();
    }
    reportClick();
}
