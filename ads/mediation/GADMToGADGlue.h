#pragma once

// Stands between an ad slot and its mediation waterfall: checks that a
// mediation response fits the ad type the slot asked for, starts the
// waterfall, and turns its events into slot calls, full-screen
// notifications and the slot's adapter timings. Each slot owns one for its
// whole life, made by the class registry under the name "GADMToGADGlue".

#include <memory>

#include "ads/api/GADSlotMediationGlue.h"
#include "ads/mediation/GADMAdManager.h"
#include "ads/mediation/GADMConfig.h"
#include "ads/mediation/GADMDelegate.h"

class GADSlot;

class GADMToGADGlue : public GADSlotMediationGlue,
                      public GADMDelegate,
                      public std::enable_shared_from_this<GADMToGADGlue> {
  public:
    // A glue with its own manager, whose delegate it is.
    static std::shared_ptr<GADMToGADGlue> make();
    ~GADMToGADGlue() override;
    GADMToGADGlue(const GADMToGADGlue&) = delete;
    GADMToGADGlue& operator=(const GADMToGADGlue&) = delete;

    std::shared_ptr<GADSlot> slot() const { return slot_.lock(); }
    void setSlot(const std::weak_ptr<GADSlot>& slot) override { slot_ = slot; }
    std::shared_ptr<void> mediatedInterstitial() const override {
        return mediatedInterstitial_.lock();
    }
    std::optional<std::string> shownAdapterClassName() const override;
    const std::shared_ptr<GADMAdManager>& mediationManager() const { return mediationManager_; }
    const std::shared_ptr<GADMConfig>& mediationConfig() const { return mediationConfig_; }

    // The slot's mediated response: its body parsed into a configuration (a
    // bad one fails the request), the ad type the slot wants, the waterfall,
    // and the configuration's refresh for a banner.
    void processMediationAdResponse(const std::shared_ptr<GADAd>& ad) override;
    // Keeps the configuration and, when it fits the requested type, runs its
    // waterfall; a misfit is reported to the slot once.
    void requestAdWithType(const std::shared_ptr<GADAdType>& adType,
                           const std::shared_ptr<GADMConfig>& config);
    // False for interstitials, else whether the shown adapter resized.
    bool changeAdTypeTo(const std::shared_ptr<GADAdType>& adType) override;
    void presentInterstitialFromRootViewController(
        const std::shared_ptr<ui::ViewController>& rootViewController) override;
    // Ends the running waterfall; nothing of it reaches the slot afterwards.
    void cancel() override;
    // Reports the first misfit between the requested and the configured
    // type to the slot (reload yes, cancel no) and answers false then.
    bool hasConsistentMediationConfigForAdType(const std::shared_ptr<GADAdType>& adType);

    // GADMDelegate.
    std::shared_ptr<ui::ViewController> viewControllerForPresentingModalView() override;
    void gadmDidReceiveAd(const std::shared_ptr<ui::View>& view) override;
    void gadmDidReceiveInterstitial(const std::shared_ptr<void>& interstitial) override;
    void gadmDidFailToReceiveAdWithError(const GADRequestError& error) override;
    void gadmBannerAdRefreshFailedWithError(const GADRequestError& error) override;
    void gadmWillPresentFullScreenModal() override;
    void gadmWillDismissFullScreenModal() override;
    void gadmDidDismissFullScreenModal() override;
    void gadmWillPresentInterstitial() override;
    void gadmWillDismissInterstitial() override;
    void gadmDidDismissInterstitial() override;
    void gadmWillLeaveApplication() override;
    bool gadmTestMode() override;
    std::shared_ptr<GADAdNetworkExtras> networkExtrasFor(const std::string& className) override;
    std::int64_t userGender() override;
    std::optional<foundation::Date> userBirthday() override;
    std::shared_ptr<GADLocation> userLocation() override;
    std::optional<std::vector<std::string>> userKeywords() override;
    std::optional<bool> childDirectedTreatment() override;
    void startTimingAdapter() override;
    void resetTimingAdapters() override;
    void endTimingAdapterWithExitCode(std::int64_t exitCode) override;
    std::optional<std::string> adapterDurationsParameter() override;
    std::optional<std::string> adapterExitCodesParameter() override;

  private:
    GADMToGADGlue() = default;
    void reportMisfit(long code, const std::string& message);
    void willPresentFullScreen();
    void didDismissFullScreen();

    std::weak_ptr<GADSlot> slot_;
    std::weak_ptr<void> mediatedInterstitial_;
    std::shared_ptr<GADMAdManager> mediationManager_;
    std::shared_ptr<GADMConfig> mediationConfig_;
};
