#pragma once

// What a custom interstitial event reports: its ad or failure, its screen
// and leaving the application.

#include <memory>

#include "platform/foundation/Error.h"

namespace ui {
class ViewController;
}  // namespace ui

class GADCustomEventInterstitial;

class GADCustomEventInterstitialDelegate {
  public:
    virtual ~GADCustomEventInterstitialDelegate() = default;

    virtual void customEventInterstitialDidReceiveAd(GADCustomEventInterstitial& customEvent,
                                                     const std::shared_ptr<void>& ad) = 0;
    virtual void customEventInterstitialDidFailAd(GADCustomEventInterstitial& customEvent,
                                                  const foundation::Error& error) = 0;
    virtual void customEventInterstitialWillPresent(GADCustomEventInterstitial& customEvent) = 0;
    virtual void customEventInterstitialWillDismiss(GADCustomEventInterstitial& customEvent) = 0;
    virtual void customEventInterstitialDidDismiss(GADCustomEventInterstitial& customEvent) = 0;
    virtual void customEventInterstitialWillLeaveApplication(
        GADCustomEventInterstitial& customEvent) = 0;
};
