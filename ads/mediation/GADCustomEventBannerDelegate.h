#pragma once

// What a custom banner event reports: its ad view or failure, clicks, its
// full-screen screens and leaving the application; and where it may present.

#include <memory>

#include "platform/foundation/Error.h"

namespace ui {
class View;
class ViewController;
}  // namespace ui

class GADCustomEventBanner;

class GADCustomEventBannerDelegate {
  public:
    virtual ~GADCustomEventBannerDelegate() = default;

    virtual void customEventBannerDidReceiveAd(GADCustomEventBanner& customEvent,
                                               const std::shared_ptr<ui::View>& view) = 0;
    virtual void customEventBannerDidFailAd(GADCustomEventBanner& customEvent,
                                            const foundation::Error& error) = 0;
    virtual void customEventBannerClickDidOccurInAd(GADCustomEventBanner& customEvent,
                                                    const std::shared_ptr<ui::View>& view) = 0;
    virtual void customEventBannerWillPresentModal(GADCustomEventBanner& customEvent) = 0;
    virtual void customEventBannerWillDismissModal(GADCustomEventBanner& customEvent) = 0;
    virtual void customEventBannerDidDismissModal(GADCustomEventBanner& customEvent) = 0;
    virtual void customEventBannerWillLeaveApplication(GADCustomEventBanner& customEvent) = 0;
    virtual std::shared_ptr<ui::ViewController> viewControllerForPresentingModalView() = 0;
};
