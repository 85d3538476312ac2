#pragma once

// The banner of ad-server publishers: on top of the ordinary banner it hears
// the app events of its ads, lists the ad sizes it accepts and tells before
// it takes one, supports manual impressions, and offers each ad that allows
// it to the publisher to draw by itself (custom rendering).

#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include "ads/api/GADAdSizeDelegate.h"
#include "ads/api/GADAppEventDelegate.h"
#include "ads/api/GADBannerView.h"
#include "ads/api/RAZRawHTMLAdDelegate.h"
#include "ads/api/RAZRawHTMLBannerViewDelegate.h"

class RAZBannerView : public GADBannerView, public RAZRawHTMLAdDelegate {
  public:
    // nullptr, with a log line, for an invalid size.
    static std::shared_ptr<RAZBannerView> makeWithAdSize(GADAdSize adSize);
    // nullptr, silently, for an invalid size.
    static std::shared_ptr<RAZBannerView> makeWithFrame(const graphics::Rect& frame,
                                                        GADAdSize adSize);

    explicit RAZBannerView(const graphics::Rect& frame) : GADBannerView(frame) {}
    std::string className() const override { return "RAZBannerView"; }

    // RAZRawHTMLAdDelegate: the current ad's click pings; an impression
    // counted with the impression and manual-impression pings; the slot is
    // ready (no delegate call follows).
    void recordClick() override;
    void recordCustomAdImpression() override;
    void finishedRenderingAdView(const std::shared_ptr<ui::View>& view) override;

    // Kept by the slot, whose requests then ask for manual impressions.
    bool enableManualImpressions() const;
    void setEnableManualImpressions(bool enable);
    // Takes the size without a new request.
    void resize(GADAdSize adSize);
    // A manual impression: the manual-impression pings only.
    void recordImpression();
    // The sizes in the order given.
    void setValidAdSizesWithSizes(std::initializer_list<GADAdSize> sizes);
    // Sent as the request's acceptable sizes; an ad announcing one of them
    // resizes the banner.
    std::optional<std::vector<GADAdSize>> validAdSizes() const override { return validAdSizes_; }
    void setValidAdSizes(std::optional<std::vector<GADAdSize>> sizes) {
        validAdSizes_ = std::move(sizes);
    }

    std::shared_ptr<GADAppEventDelegate> appEventDelegate() const {
        return appEventDelegate_.lock();
    }
    void setAppEventDelegate(const std::shared_ptr<GADAppEventDelegate>& d) {
        appEventDelegate_ = d;
    }
    std::shared_ptr<GADAdSizeDelegate> adSizeDelegate() const { return adSizeDelegate_.lock(); }
    void setAdSizeDelegate(const std::shared_ptr<GADAdSizeDelegate>& d) { adSizeDelegate_ = d; }
    // Present: custom rendering is offered.
    std::shared_ptr<RAZRawHTMLBannerViewDelegate> rawHTMLBannerViewDelegate() const {
        return rawHTMLBannerViewDelegate_.lock();
    }
    void setRawHTMLBannerViewDelegate(const std::shared_ptr<RAZRawHTMLBannerViewDelegate>& d) {
        rawHTMLBannerViewDelegate_ = d;
    }

    // GADSlotDelegate.
    void slotWillResizeToAdSize(GADSlot& slot, GADAdSize size) override;
    void slotDidReceiveAppEvent(GADSlot& slot, const std::string& name,
                                const std::optional<std::string>& info) override;
    // Yes when the raw-HTML delegate draws the ad: it is handed the ad with
    // the root of the ad's base URL and the slot waits for it to render.
    // Without a delegate, or one that declines or cannot draw raw ads, the
    // ad is shown as an ordinary HTML ad.
    std::optional<bool> slotShouldUseCustomRenderingForAd(
        GADSlot& slot, const std::shared_ptr<GADAd>& ad) override;

  private:
    std::weak_ptr<GADAppEventDelegate> appEventDelegate_;
    std::weak_ptr<GADAdSizeDelegate> adSizeDelegate_;
    std::optional<std::vector<GADAdSize>> validAdSizes_;
    std::weak_ptr<RAZRawHTMLBannerViewDelegate> rawHTMLBannerViewDelegate_;
};
