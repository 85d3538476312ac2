#pragma once

// The connector of a banner network: its adapter's ads and failures go to
// the waterfall manager, every shown ad counts an impression, and a click, a
// full-screen screen or leaving the application counts the ad's one click.
// Every answer after the first is a refresh the network made on its own.

#include <memory>

#include "ads/mediation/GADMAdNetworkConnector.h"

class GADMAdNetworkConnectorBanner : public GADMAdNetworkConnector {
  public:
    static std::shared_ptr<GADMAdNetworkConnectorBanner> make(
        std::shared_ptr<GADMConfig> config, std::shared_ptr<GADMAdNetworkConfig> networkConfig);
    using GADMAdNetworkConnector::GADMAdNetworkConnector;

    bool didNetworkReturn() const { return didNetworkReturn_; }

    void adapterDidReceiveAdView(GADMAdNetworkAdapter& adapter,
                                 const std::shared_ptr<ui::View>& view) override;
    void adapterDidFailAd(GADMAdNetworkAdapter& adapter, const foundation::Error& error) override;
    void adapterClickDidOccurInBanner(GADMAdNetworkAdapter& adapter,
                                      const std::shared_ptr<ui::View>& view) override;
    void adapterWillPresentFullScreenModal(GADMAdNetworkAdapter& adapter) override;
    void adapterWillDismissFullScreenModal(GADMAdNetworkAdapter& adapter) override;
    void adapterDidDismissFullScreenModal(GADMAdNetworkAdapter& adapter) override;
    void adapterWillLeaveApplication(GADMAdNetworkAdapter& adapter) override;

  private:
    // Marks this answer a refresh when the adapter answered before.
    void noteAnswer();

    bool didNetworkReturn_ = false;
};
