#include "ads/api/RAZInterstitial.h"

#include "ads/api/GADAd.h"
#include "ads/api/RAZRawHTMLAd.h"
#include "ads/foundation/GADMacros.h"

std::shared_ptr<RAZInterstitial> RAZInterstitial::make() {
    std::shared_ptr<RAZInterstitial> interstitial(new RAZInterstitial());
    interstitial->initialize();
    return interstitial;
}

void RAZInterstitial::recordClick() {
    slot()->pingClickURLs();
}

void RAZInterstitial::recordCustomAdImpression() {
    slot()->didMakeAdImpression();
    slot()->pingManualTrackingURLs();
}

void RAZInterstitial::finishedRenderingAdView(const std::shared_ptr<ui::View>&) {
    slot()->didReceiveValidAd();
}

void RAZInterstitial::presentFromRootViewController(
    const std::shared_ptr<ui::ViewController>& controller) {
    if (customAdRenderingEnabled_) {
        GADMacros::pubLog(
            "Error: Custom ad rendering is enabled. Please present interstitial view from "
            "rootViewController manually.");
        return;
    }
    GADInterstitial::presentFromRootViewController(controller);
}

void RAZInterstitial::slotDidReceiveAppEvent(GADSlot&, const std::string& name,
                                             const std::optional<std::string>& info) {
    if (auto delegate = appEventDelegate()) {
        delegate->interstitialDidReceiveAppEvent(*this, name, info);
    }
}

std::optional<bool> RAZInterstitial::slotShouldUseCustomRenderingForAd(
    GADSlot& slot, const std::shared_ptr<GADAd>& ad) {
    customAdRenderingEnabled_ = false;
    std::shared_ptr<RAZRawHTMLInterstitialViewDelegate> delegate = rawHTMLInterstitialDelegate();
    if (!delegate || !ad) {
        return false;
    }
    const std::string html = ad->adHTML().value_or("");
    const std::optional<foundation::URL> baseURL = RAZRawHTMLAd::rootOfBaseURL(ad->adBaseURL());
    if (delegate->interstitialShouldUseCustomRenderingForAdHTML(*this, html, baseURL) ==
        std::optional(false)) {
        return false;
    }
    auto rawAd = std::make_shared<RAZRawHTMLAd>(html, baseURL);
    rawAd->setDelegate(std::static_pointer_cast<RAZInterstitial>(shared_from_this()));
    slot.willStartAdRendering();
    // The ad is the slot's before the publisher has it, so what the
    // publisher reports at once is pinged too.
    slot.finishedLoadingAdResponse(ad);
    customAdRenderingEnabled_ = true;
    delegate->interstitialRenderRawHTMLAd(*this, rawAd);
    return true;
}
