#include "ads/api/RAZBannerView.h"

#include "ads/api/GADAd.h"
#include "ads/api/RAZRawHTMLAd.h"
#include "ads/foundation/GADMacros.h"
#include "platform/foundation/Format.h"

std::shared_ptr<RAZBannerView> RAZBannerView::makeWithAdSize(GADAdSize adSize) {
    return makeBanner<RAZBannerView>(graphics::Rect(), adSize, true);
}

std::shared_ptr<RAZBannerView> RAZBannerView::makeWithFrame(const graphics::Rect& frame,
                                                            GADAdSize adSize) {
    return makeBanner<RAZBannerView>(frame, adSize, false);
}

void RAZBannerView::recordClick() {
    slot()->pingClickURLs();
}

void RAZBannerView::recordCustomAdImpression() {
    slot()->didMakeAdImpression();
    slot()->pingManualTrackingURLs();
}

void RAZBannerView::finishedRenderingAdView(const std::shared_ptr<ui::View>&) {
    slot()->didReceiveValidAd();
}

bool RAZBannerView::enableManualImpressions() const {
    return slot()->manualImpressionsEnabled();
}

void RAZBannerView::setEnableManualImpressions(bool enable) {
    slot()->setManualImpressionsEnabled(enable);
}

void RAZBannerView::resize(GADAdSize adSize) {
    setAdSizeAndReload(adSize, false);
}

void RAZBannerView::recordImpression() {
    slot()->pingManualTrackingURLs();
}

void RAZBannerView::setValidAdSizesWithSizes(std::initializer_list<GADAdSize> sizes) {
    validAdSizes_ = std::vector<GADAdSize>(sizes);
}

void RAZBannerView::slotWillResizeToAdSize(GADSlot&, GADAdSize size) {
    if (auto delegate = adSizeDelegate()) {
        delegate->adViewWillChangeAdSizeTo(*this, size);
    }
}

void RAZBannerView::slotDidReceiveAppEvent(GADSlot&, const std::string& name,
                                           const std::optional<std::string>& info) {
    if (auto delegate = appEventDelegate()) {
        delegate->adViewDidReceiveAppEvent(*this, name, info);
    }
}

std::optional<bool> RAZBannerView::slotShouldUseCustomRenderingForAd(
    GADSlot& slot, const std::shared_ptr<GADAd>& ad) {
    std::shared_ptr<RAZRawHTMLBannerViewDelegate> delegate = rawHTMLBannerViewDelegate();
    if (!delegate || !ad) {
        return false;
    }
    const std::string html = ad->adHTML().value_or("");
    const std::optional<foundation::URL> baseURL = RAZRawHTMLAd::rootOfBaseURL(ad->adBaseURL());
    if (delegate->bannerViewShouldUseCustomRenderingForAdHTML(*this, html, baseURL) ==
        std::optional(false)) {
        return false;
    }
    if (!delegate->respondsToRenderRawHTMLAd()) {
        // Taking the ad would leave the banner waiting for a rendering that
        // never comes: it is shown as an ordinary HTML ad instead.
        GADMacros::pubLog(foundation::format(
            "Ignoring delegate callback. Delegate does not conform to %@.\nBanner view: <%@: "
            "%p>\nDelegate: %p",
            std::string("RAZRawHTMLAdDelegate"), className(), static_cast<const void*>(this),
            static_cast<const void*>(delegate.get())));
        return false;
    }
    auto rawAd = std::make_shared<RAZRawHTMLAd>(html, baseURL);
    rawAd->setDelegate(std::static_pointer_cast<RAZBannerView>(shared_from_this()));
    slot.willStartAdRendering();
    // The ad is the slot's before the publisher has it, so what the
    // publisher reports at once is pinged too.
    slot.finishedLoadingAdResponse(ad);
    delegate->bannerViewRenderRawHTMLAd(*this, rawAd);
    return true;
}
