#pragma once

// The adapter that places the component's own ads in a mediation waterfall:
// it turns the connector's targeting into a request and loads a banner or an
// interstitial of the component with the network's publisher ID as ad unit,
// passing its events on to the connector.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ads/api/GADBannerView.h"
#include "ads/api/GADBannerViewDelegate.h"
#include "ads/api/GADInterstitial.h"
#include "ads/api/GADInterstitialDelegate.h"
#include "ads/mediation/GADMAdNetworkAdapter.h"

class GADMAdNetworkConnector;
class GADRequest;

class GADMAdapterDezuvoZiZezAds : public GADMAdNetworkAdapter,
                                  public GADBannerViewDelegate,
                                  public GADInterstitialDelegate,
                                  public std::enable_shared_from_this<GADMAdapterDezuvoZiZezAds> {
  public:
    static constexpr const char* kClassName = "GADMAdapterDezuvoZiZezAds";

    explicit GADMAdapterDezuvoZiZezAds(const std::shared_ptr<GADMAdNetworkConnector>& connector);
    ~GADMAdapterDezuvoZiZezAds() override;

    static std::string adapterVersion();
    static std::optional<std::string> networkExtrasClass() { return "GADZiZezExtras"; }

    // A new request with the connector's targeting, the network's extras and
    // the waterfall's adapter lists as private mediation extras.
    std::shared_ptr<GADRequest> request() const;
    const std::shared_ptr<GADBannerView>& banner() const { return banner_; }
    const std::shared_ptr<GADInterstitial>& interstitial() const { return interstitial_; }

    // GADMAdNetworkAdapter.
    void getBannerWithSize(GADAdSize adSize) override;
    void getInterstitial() override;
    void stopBeingDelegate() override;
    bool isBannerAnimationOK(std::int64_t) override { return true; }
    void presentInterstitialFromRootViewController(
        const std::shared_ptr<ui::ViewController>& rootViewController) override;
    bool changeAdSizeTo(GADAdSize adSize) override;

    // GADBannerViewDelegate.
    void adViewDidReceiveAd(GADBannerView& view) override;
    void adViewDidFailToReceiveAdWithError(GADBannerView& view,
                                           const GADRequestError& error) override;
    void adViewWillPresentScreen(GADBannerView& view) override;
    void adViewWillDismissScreen(GADBannerView& view) override;
    void adViewDidDismissScreen(GADBannerView& view) override;
    void adViewWillLeaveApplication(GADBannerView& view) override;

    // GADInterstitialDelegate.
    void interstitialDidReceiveAd(GADInterstitial& interstitial) override;
    void interstitialDidFailToReceiveAdWithError(GADInterstitial& interstitial,
                                                 const GADRequestError& error) override;
    void interstitialWillPresentScreen(GADInterstitial& interstitial) override;
    void interstitialWillDismissScreen(GADInterstitial& interstitial) override;
    void interstitialDidDismissScreen(GADInterstitial& interstitial) override;
    void interstitialWillLeaveApplication(GADInterstitial& interstitial) override;

  private:
    std::weak_ptr<GADMAdNetworkConnector> connector_;
    std::shared_ptr<GADBannerView> banner_;
    std::shared_ptr<GADInterstitial> interstitial_;
};
