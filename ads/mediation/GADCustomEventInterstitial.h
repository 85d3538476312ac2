#pragma once

// A publisher's interstitial class placed in the mediation waterfall by
// name: it loads an interstitial, shows it, and reports through its
// delegate. Classes are registered for this type in the class registry under
// their own names, adopting the protocol kProtocolName.

#include <memory>
#include <optional>
#include <string>

#include "ads/mediation/GADCustomEventInterstitialDelegate.h"
#include "ads/mediation/GADCustomEventRequest.h"
#include "platform/foundation/Value.h"

class GADCustomEventInterstitial {
  public:
    static constexpr const char* kProtocolName = "GADCustomEventInterstitial";

    virtual ~GADCustomEventInterstitial() = default;

    virtual void requestInterstitialAdWithParameter(
        const foundation::Value& parameter, const std::optional<std::string>& label,
        const std::shared_ptr<GADCustomEventRequest>& request) = 0;
    virtual void presentFromRootViewController(
        const std::shared_ptr<ui::ViewController>& rootViewController) = 0;
    virtual std::shared_ptr<GADCustomEventInterstitialDelegate> delegate() const = 0;
    virtual void setDelegate(const std::weak_ptr<GADCustomEventInterstitialDelegate>& delegate) = 0;
};
