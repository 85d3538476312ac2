#pragma once

// The three protocols a slot reports through: the owner's questions and view
// events (GADSlotDelegate, every method optional), load results and screen
// events (GADSlotAdEventDelegate), and what a fetched ad becomes
// (GADSlotAdResponseDelegate).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ads/api/GADAdSize.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/Geometry.h"

class GADAd;
class GADInAppPurchaseDelegate;
class GADRequestError;
class GADSlot;

namespace ui {
class View;
class ViewController;
}  // namespace ui

// Optional questions answer std::nullopt when the owner does not implement them.
class GADSlotDelegate {
  public:
    virtual ~GADSlotDelegate() = default;

    virtual std::optional<bool> slotShouldReloadCurrentRequest(GADSlot&) { return std::nullopt; }
    // The owner's frame and bounds (a view owner's own).
    virtual std::optional<graphics::Rect> delegateFrame() const { return std::nullopt; }
    virtual std::optional<graphics::Rect> delegateBounds() const { return std::nullopt; }
    virtual std::optional<foundation::Dictionary> coordinatesOfContentInScreen() {
        return std::nullopt;
    }
    virtual std::shared_ptr<ui::View> swipeToViewControllerView() { return nullptr; }
    virtual std::shared_ptr<ui::ViewController> rootViewController() const { return nullptr; }
    virtual std::optional<bool> createdOnMediationRequest() const { return std::nullopt; }
    virtual void slotDidReceiveAdView(GADSlot&, const std::shared_ptr<ui::View>&) {}
    virtual void setAdSizeAndReload(GADAdSize, bool) {}
    virtual std::optional<std::vector<GADAdSize>> validAdSizes() const { return std::nullopt; }
    virtual void slotWillResizeToAdSize(GADSlot&, GADAdSize) {}
    virtual void slotDidReceiveAppEvent(GADSlot&, const std::string&,
                                        const std::optional<std::string>&) {}
    virtual std::shared_ptr<GADInAppPurchaseDelegate> inAppPurchaseDelegate() const {
        return nullptr;
    }
    virtual std::optional<bool> slotShouldUseCustomRenderingForAd(GADSlot&,
                                                                  const std::shared_ptr<GADAd>&) {
        return std::nullopt;
    }
};

class GADSlotAdEventDelegate {
  public:
    virtual ~GADSlotAdEventDelegate() = default;

    virtual void slotFinishedLoadingAdContent(GADSlot& slot) = 0;
    virtual void slotDidFailToLoadAdContentWithError(GADSlot& slot,
                                                     const GADRequestError& error) = 0;
    virtual void slotWillPresentScreen(GADSlot&) {}
    virtual void slotWillDismissScreen(GADSlot&) {}
    virtual void slotDidDismissScreen(GADSlot&) {}
    virtual void slotWillLeaveApplication(GADSlot&) {}
};

class GADSlotAdResponseDelegate {
  public:
    virtual ~GADSlotAdResponseDelegate() = default;

    // A null error stands for a failure without an error of its own.
    virtual void slotDidFailToReceiveAdWithError(GADSlot& slot,
                                                 const std::shared_ptr<GADRequestError>& error) = 0;
    // Answers whether the ad was taken.
    virtual bool slotDidReceiveAd(GADSlot& slot, const std::shared_ptr<GADAd>& ad) = 0;
};
