#pragma once

// A waterfall delegate that records what it hears, in order, with the exit
// codes and the timings that are running.

#include <string>
#include <vector>

#include "ads/foundation/GADSlotStatistics.h"
#include "ads/mediation/GADMDelegate.h"

namespace mediation_test {

class RecordingMediationDelegate : public GADMDelegate {
  public:
    std::shared_ptr<ui::ViewController> viewControllerForPresentingModalView() override {
        return nullptr;
    }
    void gadmDidReceiveAd(const std::shared_ptr<ui::View>& view) override {
        events.push_back("ad");
        lastView = view;
    }
    void gadmDidReceiveInterstitial(const std::shared_ptr<void>&) override {
        events.push_back("interstitial");
    }
    void gadmDidFailToReceiveAdWithError(const GADRequestError& error) override {
        events.push_back("fail " + std::to_string(error.code()));
    }
    void gadmBannerAdRefreshFailedWithError(const GADRequestError& error) override {
        events.push_back("refresh failed " + std::to_string(error.code()) + " " +
                         error.localizedDescription());
    }
    void gadmWillPresentFullScreenModal() override { events.push_back("will present modal"); }
    void gadmWillDismissFullScreenModal() override { events.push_back("will dismiss modal"); }
    void gadmDidDismissFullScreenModal() override { events.push_back("did dismiss modal"); }
    void gadmWillPresentInterstitial() override { events.push_back("will present"); }
    void gadmWillDismissInterstitial() override { events.push_back("will dismiss"); }
    void gadmDidDismissInterstitial() override { events.push_back("did dismiss"); }
    void gadmWillLeaveApplication() override { events.push_back("leave"); }
    bool gadmTestMode() override { return testMode; }
    std::shared_ptr<GADAdNetworkExtras> networkExtrasFor(const std::string& name) override {
        extrasAskedFor.push_back(name);
        return nullptr;
    }
    std::int64_t userGender() override { return 2; }
    std::optional<foundation::Date> userBirthday() override { return std::nullopt; }
    std::shared_ptr<GADLocation> userLocation() override { return location; }
    std::optional<std::vector<std::string>> userKeywords() override { return std::nullopt; }
    std::optional<bool> childDirectedTreatment() override { return true; }
    // Timings go to slot statistics as the glue's do; the codes are also
    // kept across resets so a test sees the whole waterfall.
    void startTimingAdapter() override {
        ++timingsStarted;
        statistics.startTimingAdapter();
    }
    void resetTimingAdapters() override {
        ++resets;
        statistics.resetTimingAdapters();
    }
    void endTimingAdapterWithExitCode(std::int64_t code) override {
        exitCodes.push_back(code);
        statistics.endTimingAdapterWithExitCode(code);
    }
    std::optional<std::string> adapterDurationsParameter() override {
        return statistics.adapterDurationsParameter();
    }
    std::optional<std::string> adapterExitCodesParameter() override {
        return statistics.adapterExitCodesParameter();
    }

    std::vector<std::string> events;
    std::vector<std::int64_t> exitCodes;
    std::vector<std::string> extrasAskedFor;
    std::shared_ptr<ui::View> lastView;
    std::shared_ptr<GADLocation> location;
    GADSlotStatistics statistics;
    bool testMode = false;
    int timingsStarted = 0;
    int resets = 0;
};

}  // namespace mediation_test
