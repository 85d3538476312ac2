#pragma once

// A waterfall delegate that records what it hears, in order, with the exit
// codes and the timings that are running.

#include <string>
#include <vector>

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
    void startTimingAdapter() override { ++timingsStarted; }
    // Codes are kept across resets so a test sees the whole waterfall.
    void resetTimingAdapters() override { ++resets; }
    void endTimingAdapterWithExitCode(std::int64_t code) override { exitCodes.push_back(code); }
    std::optional<std::string> adapterDurationsParameter() override { return std::nullopt; }
    std::optional<std::string> adapterExitCodesParameter() override { return std::nullopt; }

    std::vector<std::string> events;
    std::vector<std::int64_t> exitCodes;
    std::vector<std::string> extrasAskedFor;
    std::shared_ptr<ui::View> lastView;
    std::shared_ptr<GADLocation> location;
    bool testMode = false;
    int timingsStarted = 0;
    int resets = 0;
};

}  // namespace mediation_test
