#pragma once

// The adapter that puts a publisher's custom-event class into the mediation
// waterfall: makes the class named by the network's "class_name", asks it
// for a banner or an interstitial with the network's "parameter" and
// "label", and passes its reports on to the connector.

#include <memory>
#include <optional>
#include <string>

#include "ads/mediation/GADCustomEventBanner.h"
#include "ads/mediation/GADCustomEventInterstitial.h"
#include "ads/mediation/GADMAdNetworkAdapter.h"

class GADMAdNetworkConnector;

class GADMAdapterCustomEvents : public GADMAdNetworkAdapter,
                                public GADCustomEventBannerDelegate,
                                public GADCustomEventInterstitialDelegate,
                                public std::enable_shared_from_this<GADMAdapterCustomEvents> {
  public:
    static constexpr const char* kClassName = "GADMAdapterCustomEvents";
    // Domain of the adapter's own errors.
    static constexpr const char* kErrorDomain = "ad_mediation";

    explicit GADMAdapterCustomEvents(const std::shared_ptr<GADMAdNetworkConnector>& connector);
    ~GADMAdapterCustomEvents() override;

    static std::string adapterVersion();
    static std::optional<std::string> networkExtrasClass();

    const std::shared_ptr<GADCustomEventBanner>& customEventBanner() const {
        return customEventBanner_;
    }
    const std::shared_ptr<GADCustomEventInterstitial>& customEventInterstitial() const {
        return customEventInterstitial_;
    }

    // GADMAdNetworkAdapter.
    void getBannerWithSize(GADAdSize adSize) override;
    void getInterstitial() override;
    void stopBeingDelegate() override;
    bool isBannerAnimationOK(std::int64_t) override { return true; }
    void presentInterstitialFromRootViewController(
        const std::shared_ptr<ui::ViewController>& rootViewController) override;

    // GADCustomEventBannerDelegate.
    void customEventBannerDidReceiveAd(GADCustomEventBanner& customEvent,
                                       const std::shared_ptr<ui::View>& view) override;
    void customEventBannerDidFailAd(GADCustomEventBanner& customEvent,
                                    const foundation::Error& error) override;
    void customEventBannerClickDidOccurInAd(GADCustomEventBanner& customEvent,
                                            const std::shared_ptr<ui::View>& view) override;
    void customEventBannerWillPresentModal(GADCustomEventBanner& customEvent) override;
    void customEventBannerWillDismissModal(GADCustomEventBanner& customEvent) override;
    void customEventBannerDidDismissModal(GADCustomEventBanner& customEvent) override;
    void customEventBannerWillLeaveApplication(GADCustomEventBanner& customEvent) override;
    std::shared_ptr<ui::ViewController> viewControllerForPresentingModalView() override;

    // GADCustomEventInterstitialDelegate.
    void customEventInterstitialDidReceiveAd(GADCustomEventInterstitial& customEvent,
                                             const std::shared_ptr<void>& ad) override;
    void customEventInterstitialDidFailAd(GADCustomEventInterstitial& customEvent,
                                          const foundation::Error& error) override;
    void customEventInterstitialWillPresent(GADCustomEventInterstitial& customEvent) override;
    void customEventInterstitialWillDismiss(GADCustomEventInterstitial& customEvent) override;
    void customEventInterstitialDidDismiss(GADCustomEventInterstitial& customEvent) override;
    void customEventInterstitialWillLeaveApplication(
        GADCustomEventInterstitial& customEvent) override;

  private:
    // The event named by "class_name" when it adopts the protocol; nullopt
    // after the failure was reported.
    template <typename Event>
    std::shared_ptr<Event> customEventWithCredentials(bool isInterstitial);
    void callBackToConnectorWithError(const std::string& message, bool isInterstitial);
    std::optional<std::string> credentialText(const char* key) const;
    foundation::Value credential(const char* key) const;

    std::weak_ptr<GADMAdNetworkConnector> connector_;
    std::shared_ptr<GADCustomEventBanner> customEventBanner_;
    std::shared_ptr<GADCustomEventInterstitial> customEventInterstitial_;
};
