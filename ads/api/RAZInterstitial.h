#pragma once

// The interstitial of ad-server publishers: on top of the ordinary
// interstitial it hears the app events of its ads and offers each ad that
// allows it to the publisher to draw by itself (custom rendering); a
// custom-rendered interstitial is shown by the publisher, never presented.

#include <memory>
#include <optional>
#include <string>

#include "ads/api/GADAppEventDelegate.h"
#include "ads/api/GADInterstitial.h"
#include "ads/api/RAZRawHTMLAdDelegate.h"
#include "ads/api/RAZRawHTMLInterstitialViewDelegate.h"

class RAZInterstitial : public GADInterstitial, public RAZRawHTMLAdDelegate {
  public:
    static std::shared_ptr<RAZInterstitial> make();

    // RAZRawHTMLAdDelegate: the current ad's click pings; an impression
    // counted with the impression and manual-impression pings; the slot is
    // ready, so the interstitial is.
    void recordClick() override;
    void recordCustomAdImpression() override;
    void finishedRenderingAdView(const std::shared_ptr<ui::View>& view) override;

    // Refused with a log line, and the interstitial stays unused, while the
    // current ad is custom-rendered.
    void presentFromRootViewController(
        const std::shared_ptr<ui::ViewController>& controller) override;

    // Whether the current ad went to the publisher to draw (no until an ad
    // is decided).
    bool isCustomAdRenderingEnabled() const { return customAdRenderingEnabled_; }
    std::shared_ptr<GADAppEventDelegate> appEventDelegate() const {
        return appEventDelegate_.lock();
    }
    void setAppEventDelegate(const std::shared_ptr<GADAppEventDelegate>& d) {
        appEventDelegate_ = d;
    }
    std::shared_ptr<RAZRawHTMLInterstitialViewDelegate> rawHTMLInterstitialDelegate() const {
        return rawHTMLInterstitialDelegate_.lock();
    }
    void setRawHTMLInterstitialDelegate(
        const std::shared_ptr<RAZRawHTMLInterstitialViewDelegate>& d) {
        rawHTMLInterstitialDelegate_ = d;
    }

    // GADSlotDelegate.
    void slotDidReceiveAppEvent(GADSlot& slot, const std::string& name,
                                const std::optional<std::string>& info) override;
    // Yes when the raw-HTML delegate takes the ad: it is handed the ad with
    // the root of the ad's base URL and the slot waits for it to render.
    // Without a delegate, or one that declines, the ad is an ordinary one.
    std::optional<bool> slotShouldUseCustomRenderingForAd(
        GADSlot& slot, const std::shared_ptr<GADAd>& ad) override;

  private:
    RAZInterstitial() = default;

    bool customAdRenderingEnabled_ = false;
    std::weak_ptr<GADAppEventDelegate> appEventDelegate_;
    std::weak_ptr<RAZRawHTMLInterstitialViewDelegate> rawHTMLInterstitialDelegate_;
};
