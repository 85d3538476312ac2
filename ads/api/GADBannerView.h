#pragma once

// The public banner: a view the application places, gives an ad unit, a root
// view controller, a delegate and a request, and that then shows and
// refreshes ads through its slot, keeping its frame in step with the ad size.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ads/api/GADAdSize.h"
#include "ads/api/GADBannerViewDelegate.h"
#include "ads/api/GADSlot.h"
#include "ads/api/GADSlotDelegate.h"
#include "platform/ui/View.h"

class GADRequest;
class GADWebView;

class GADBannerView : public ui::View, public GADSlotDelegate, public GADSlotAdEventDelegate {
  public:
    // nullptr, with a log line, for an invalid size.
    static std::shared_ptr<GADBannerView> makeWithAdSize(GADAdSize adSize);
    static std::shared_ptr<GADBannerView> makeWithAdSize(GADAdSize adSize, graphics::Point origin);
    // nullptr, silently, for an invalid size.
    static std::shared_ptr<GADBannerView> makeWithFrame(const graphics::Rect& frame,
                                                        GADAdSize adSize);
    // The ad size of the frame's size (a custom size unless it is a standard one).
    static std::shared_ptr<GADBannerView> makeWithFrame(const graphics::Rect& frame);
    // A banner of custom size 0 x 0.
    static std::shared_ptr<GADBannerView> make();

    explicit GADBannerView(const graphics::Rect& frame);
    ~GADBannerView() override;
    std::string className() const override { return "GADBannerView"; }

    // Loads the request through the slot; without a root view controller the
    // delegate hears code 0 before this returns, and nothing is requested.
    void loadRequest(const std::shared_ptr<GADRequest>& request);

    GADAdSize adSize() const;
    // Reloads the current request when the size changes.
    void setAdSize(GADAdSize adSize);

    std::optional<std::string> adUnitID() const { return slot_->adUnitID(); }
    void setAdUnitID(std::optional<std::string> adUnitID) {
        slot_->setAdUnitID(std::move(adUnitID));
    }
    std::shared_ptr<ui::ViewController> rootViewController() const override {
        return rootViewController_.lock();
    }
    void setRootViewController(const std::shared_ptr<ui::ViewController>& controller);
    std::shared_ptr<GADBannerViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<GADBannerViewDelegate>& d) { delegate_ = d; }
    bool hasAutoRefreshed() const { return slot_->hasAutoRefreshed(); }
    std::optional<std::string> adNetworkClassName() const { return slot_->adNetworkClassName(); }
    std::shared_ptr<ui::View> mediatedAdView() const;
    std::shared_ptr<GADWebView> webView() const;
    const std::shared_ptr<ui::View>& adView() const { return adView_; }
    void setAdView(const std::shared_ptr<ui::View>& view);
    const std::shared_ptr<GADSlot>& slot() const { return slot_; }
    bool isCreatedOnMediationRequest() const { return createdOnMediationRequest_; }
    void setCreatedOnMediationRequest(bool created) { createdOnMediationRequest_ = created; }

    // View overrides that keep the ad size and the frame in step.
    void setFrame(const graphics::Rect& frame) override;
    void setBounds(const graphics::Rect& bounds) override;
    graphics::Size intrinsicContentSize() const override;
    // Fully transparent or fully opaque: 0 stays 0, anything else becomes 1.
    void setAlpha(double alpha) override;
    // The slot's viewability monitor follows the banner into and out of windows.
    void didMoveToWindow() override;

    // GADSlotDelegate.
    std::optional<bool> slotShouldReloadCurrentRequest(GADSlot& slot) override;
    std::optional<graphics::Rect> delegateFrame() const override { return frame(); }
    std::optional<graphics::Rect> delegateBounds() const override { return bounds(); }
    // Where the ad view lies on the main screen; nullopt without an ad view
    // or while it is in no window.
    std::optional<foundation::Dictionary> coordinatesOfContentInScreen() override;
    std::shared_ptr<ui::View> swipeToViewControllerView() override;
    std::optional<bool> createdOnMediationRequest() const override {
        return createdOnMediationRequest_;
    }
    void slotDidReceiveAdView(GADSlot& slot, const std::shared_ptr<ui::View>& view) override;
    // Nothing when the size is unchanged; an invalid size is refused with a
    // log line.
    void setAdSizeAndReload(GADAdSize adSize, bool reload) override;

    // GADSlotAdEventDelegate: each event reaches the delegate on the main thread.
    void slotFinishedLoadingAdContent(GADSlot& slot) override;
    void slotDidFailToLoadAdContentWithError(GADSlot& slot, const GADRequestError& error) override;
    void slotWillPresentScreen(GADSlot& slot) override;
    void slotWillDismissScreen(GADSlot& slot) override;
    void slotDidDismissScreen(GADSlot& slot) override;
    void slotWillLeaveApplication(GADSlot& slot) override;

  protected:
    // A banner of class T (made from a frame) with the size, set up as every
    // banner; nullptr for an invalid size, with a log line when `logInvalid`.
    template <typename T>
    static std::shared_ptr<T> makeBanner(const graphics::Rect& frame, GADAdSize adSize,
                                         bool logInvalid) {
        if (!GADAdSizeIsValid(adSize)) {
            if (logInvalid) {
                logInvalidAdSize(adSize);
            }
            return nullptr;
        }
        auto banner = std::make_shared<T>(frame);
        banner->commonInitWithAdSize(adSize);
        return banner;
    }
    static void logInvalidAdSize(GADAdSize adSize);
    // The set-up every factory runs on a new banner, subclasses' included.
    void commonInitWithAdSize(GADAdSize adSize);

  private:
    void tellDelegate(const std::function<void(GADBannerViewDelegate&)>& call);

    std::shared_ptr<GADSlot> slot_;
    std::shared_ptr<ui::View> adView_;
    std::weak_ptr<ui::ViewController> rootViewController_;
    std::weak_ptr<GADBannerViewDelegate> delegate_;
    bool createdOnMediationRequest_ = false;
};
