#pragma once

// What the mediation waterfall asks of the side that started it (the slot's
// glue): where to present screens, the user's targeting, the timing of each
// adapter, and where to report ads, failures and screen events.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ads/api/GADAdNetworkExtras.h"
#include "ads/api/GADLocation.h"
#include "ads/api/GADRequestError.h"
#include "platform/foundation/Date.h"

namespace ui {
class View;
class ViewController;
}  // namespace ui

class GADMDelegate {
  public:
    virtual ~GADMDelegate() = default;

    virtual std::shared_ptr<ui::ViewController> viewControllerForPresentingModalView() = 0;
    virtual void gadmDidReceiveAd(const std::shared_ptr<ui::View>& view) = 0;
    virtual void gadmDidReceiveInterstitial(const std::shared_ptr<void>& interstitial) = 0;
    virtual void gadmDidFailToReceiveAdWithError(const GADRequestError& error) = 0;
    virtual void gadmBannerAdRefreshFailedWithError(const GADRequestError& error) = 0;
    virtual void gadmWillPresentFullScreenModal() = 0;
    virtual void gadmWillDismissFullScreenModal() = 0;
    virtual void gadmDidDismissFullScreenModal() = 0;
    virtual void gadmWillPresentInterstitial() = 0;
    virtual void gadmWillDismissInterstitial() = 0;
    virtual void gadmDidDismissInterstitial() = 0;
    virtual void gadmWillLeaveApplication() = 0;

    virtual bool gadmTestMode() = 0;
    virtual std::shared_ptr<GADAdNetworkExtras> networkExtrasFor(const std::string& className) = 0;
    virtual std::int64_t userGender() = 0;
    virtual std::optional<foundation::Date> userBirthday() = 0;
    virtual std::shared_ptr<GADLocation> userLocation() = 0;
    virtual std::optional<std::vector<std::string>> userKeywords() = 0;
    virtual std::optional<bool> childDirectedTreatment() = 0;

    virtual void startTimingAdapter() = 0;
    virtual void resetTimingAdapters() = 0;
    virtual void endTimingAdapterWithExitCode(std::int64_t exitCode) = 0;
    virtual std::optional<std::string> adapterDurationsParameter() = 0;
    virtual std::optional<std::string> adapterExitCodesParameter() = 0;
};
