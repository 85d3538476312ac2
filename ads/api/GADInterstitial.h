#pragma once

// The public full-screen ad: the application gives it an ad unit, a delegate
// and a request, waits until it is ready and presents it once from one of
// its controllers. Behind it stand a slot that loads the ad and a web-app
// screen built around the slot's web view. An interstitial serves one
// presentation: afterwards every load or present is refused with a usage
// error. The delegate hears the slot's events on the main thread, and never
// a dismissal of a screen it was not told was presented.

#include <memory>
#include <optional>
#include <string>

#include "ads/api/GADInterstitialDelegate.h"
#include "ads/api/GADSlot.h"
#include "ads/api/GADSlotDelegate.h"
#include "platform/foundation/Notification.h"

class GADAppEventGMSGHandler;
class GADRequest;
class GADRequestError;
class GADWebAppViewController;

namespace ui {
class ViewController;
}  // namespace ui

class GADInterstitial : public std::enable_shared_from_this<GADInterstitial>,
                        public GADSlotDelegate,
                        public GADSlotAdEventDelegate {
  public:
    static std::shared_ptr<GADInterstitial> make();
    ~GADInterstitial() override;
    GADInterstitial(const GADInterstitial&) = delete;
    GADInterstitial& operator=(const GADInterstitial&) = delete;

    // Keeps the request; a used interstitial reports code 6 and sends
    // nothing, any other loads it through the slot.
    void loadRequest(const std::shared_ptr<GADRequest>& request);
    // The slot has the ad ready.
    bool isReady() const;
    // Shows the ad over the controller (a mediated one through its network)
    // and marks the interstitial used, also when nothing could be shown.
    virtual void presentFromRootViewController(
        const std::shared_ptr<ui::ViewController>& controller);
    // A used interstitial reports code 6; one not ready is only logged.
    bool canPresentFullScreen();
    void hasPresentedFullScreen() { hasBeenUsed_ = true; }
    // The slot does nothing further.
    void cancel();
    // Logs the error and fails the slot with it, without reload.
    void sendInterstitialError(const GADRequestError& error);
    void sendInterstitialUsageError();
    // A navigation of the ad page or its "open" message cancels what the
    // slot has pending, once the ad is ready: the page's own load, which is
    // a navigation too, must not cancel the render it belongs to.
    void webAction(const foundation::Notification& notification);

    std::optional<std::string> adUnitID() const { return slot_->adUnitID(); }
    void setAdUnitID(std::optional<std::string> adUnitID) {
        slot_->setAdUnitID(std::move(adUnitID));
    }
    std::shared_ptr<GADInterstitialDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<GADInterstitialDelegate>& delegate) {
        delegate_ = delegate;
    }
    bool hasBeenUsed() const { return hasBeenUsed_; }
    std::optional<std::string> adNetworkClassName() const { return slot_->adNetworkClassName(); }
    // The last request given to loadRequest, refused or not.
    const std::shared_ptr<GADRequest>& request() const { return request_; }
    // The full-screen screen until it is presented.
    const std::shared_ptr<GADWebAppViewController>& viewController() const {
        return viewController_;
    }
    const std::shared_ptr<GADSlot>& slot() const { return slot_; }

    // GADSlotDelegate.
    std::optional<bool> slotShouldReloadCurrentRequest(GADSlot&) override { return false; }
    std::optional<foundation::Dictionary> coordinatesOfContentInScreen() override;

    // GADSlotAdEventDelegate.
    void slotFinishedLoadingAdContent(GADSlot& slot) override;
    void slotDidFailToLoadAdContentWithError(GADSlot& slot, const GADRequestError& error) override;
    void slotWillPresentScreen(GADSlot& slot) override;
    void slotWillDismissScreen(GADSlot& slot) override;
    void slotDidDismissScreen(GADSlot& slot) override;
    void slotWillLeaveApplication(GADSlot& slot) override;

  protected:
    GADInterstitial() = default;
    // The set-up every factory runs on a new interstitial, subclasses' included.
    void initialize();

  private:
    void tellDelegate(const std::function<void(GADInterstitialDelegate&)>& call);

    bool hasBeenUsed_ = false;
    std::weak_ptr<GADInterstitialDelegate> delegate_;
    std::shared_ptr<GADRequest> request_;
    std::shared_ptr<GADWebAppViewController> viewController_;
    std::shared_ptr<GADSlot> slot_;
    // The "appEvent" messages of the screen's page go to the slot's owner;
    // the screen holds the handler only as long as the interstitial lives.
    std::shared_ptr<GADAppEventGMSGHandler> appEventHandler_;
    // Screens the delegate heard presented and not yet dismissed, and those
    // of them it heard will be dismissed.
    int screensPresented_ = 0;
    int screensDismissing_ = 0;
};
