#pragma once

// The connector of an interstitial network: its adapter's interstitial and
// failures go to the waterfall manager, the impression counts when the
// interstitial is about to show, and the glue always hears will-dismiss
// before did-dismiss.

#include <memory>

#include "ads/mediation/GADMAdNetworkConnector.h"

class GADMAdNetworkConnectorInterstitial : public GADMAdNetworkConnector {
  public:
    static std::shared_ptr<GADMAdNetworkConnectorInterstitial> make(
        std::shared_ptr<GADMConfig> config, std::shared_ptr<GADMAdNetworkConfig> networkConfig);
    using GADMAdNetworkConnector::GADMAdNetworkConnector;

    bool calledWillDismissInterstitial() const { return calledWillDismissInterstitial_; }

    void adapterDidReceiveInterstitial(GADMAdNetworkAdapter& adapter,
                                       const std::shared_ptr<void>& interstitial) override;
    void adapterDidFailInterstitial(GADMAdNetworkAdapter& adapter,
                                    const foundation::Error& error) override;
    void adapterWillPresentInterstitial(GADMAdNetworkAdapter& adapter) override;
    void adapterWillDismissInterstitial(GADMAdNetworkAdapter& adapter) override;
    void adapterDidDismissInterstitial(GADMAdNetworkAdapter& adapter) override;
    void adapterWillLeaveApplication(GADMAdNetworkAdapter& adapter) override;

  private:
    bool calledWillDismissInterstitial_ = false;
};
