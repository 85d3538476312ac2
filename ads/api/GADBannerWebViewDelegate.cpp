#include "ads/api/GADBannerWebViewDelegate.h"

#include "ads/api/GADAppEventGMSGHandler.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/api/GADSwipeToViewControllerGMSGHandler.h"
#include "ads/foundation/GADAbsoluteTime.h"
#include "ads/foundation/GADActiveViewMonitor.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADWebAppGMSGHandler.h"
#include "ads/webview/GADWebView.h"

GADBannerWebViewDelegate::GADBannerWebViewDelegate(const std::shared_ptr<GADSlot>& slot)
    : slot_(slot) {
    opener()->setSlot(slot);
    addGMSGHandler(std::make_shared<GADAppEventGMSGHandler>(slot));
    addGMSGHandler(std::make_shared<GADWebAppGMSGHandler>());
    addGMSGHandler(std::make_shared<GADSwipeToViewControllerGMSGHandler>(slot));
}

std::shared_ptr<GADMRAIDAdSlot> GADBannerWebViewDelegate::MRAIDAdSlot() const {
    return slot_.lock();
}

bool GADBannerWebViewDelegate::isClick(web::NavigationType navigationType,
                                       const GADWebView& webView) const {
    auto slot = slot_.lock();
    if (!slot) {
        return false;
    }
    const auto state = slot->state();
    if (state == GADSlotStateSDKCoreFailed || state == GADSlotStateRendering ||
        state == GADSlotStateInvalidated) {
        return false;
    }
    const double sinceLoad = static_cast<double>(GADAbsoluteTime::absoluteTimeInMilliseconds()) -
                             static_cast<double>(slot->timeLastLoaded().value_or(0));
    if (sinceLoad / 1000.0 < kMinimumClickDelay) {
        return false;
    }
    return navigationType != web::NavigationType::backForward &&
           navigationType != web::NavigationType::reload && webView.touched();
}

bool GADBannerWebViewDelegate::webViewShouldStartLoad(GADWebView& webView,
                                                      const net::URLRequest& request,
                                                      web::NavigationType navigationType) {
    auto slot = slot_.lock();
    if (slot && !(slot->adType() && slot->adType()->isInterstitial())) {
        opener()->setViewController(webView.viewController());
    }
    if (!isClick(navigationType, webView)) {
        return GADWebViewDelegate::webViewShouldStartLoad(webView, request, navigationType);
    }
    if (GADWebViewDelegate::webViewShouldStartLoad(webView, request, navigationType)) {
        const auto& current = webView.request();
        opener()->setReferringURL(current ? current->url() : std::nullopt);
        slot->adWasClicked();
        const foundation::URL clickURL = slot->spamClickURLWithURL(*request.url());
        if (request.url()->scheme().starts_with("http")) {
            opener()->openApp(clickURL);
        }
    }
    return false;
}

void GADBannerWebViewDelegate::webViewDidFinishLoad(GADWebView& webView) {
    GADWebViewDelegate::webViewDidFinishLoad(webView);
    auto slot = slot_.lock();
    if (!slot || slot->state() != GADSlotStateRendering) {
        return;
    }
    slot->didReceiveValidAd();
    slot->didLoadAdHTMLInWebView();
    if (slot->isMRAIDEnabled()) {
        slot->didLoadMRAIDAd();
    }
    webView.setHidden(false);
    // An interstitial counts its impression when it is shown.
    if (!(slot->adType() && slot->adType()->isInterstitial())) {
        slot->didMakeAdImpression();
    }
    slot->resetActiveViewReporting();
    if (const auto& monitor = slot->activeViewMonitor()) {
        monitor->sample();
        // An ad in no window is not on screen: moving into one starts it.
        if (slot->monitoredViewIsSubviewOfDeviceScreen()) {
            monitor->startMonitoring();
        }
    }
    slot->adFinishedLoadingContent();
}

void GADBannerWebViewDelegate::webViewDidFailLoad(GADWebView& webView, const net::URLError& error) {
    auto slot = slot_.lock();
    webViewDidFailLoad(webView, error,
                       std::make_shared<GADRequestError>(GADRequestError::errorWithCode(
                           kGADErrorNetworkError, slot ? slot->request() : nullptr)));
}

void GADBannerWebViewDelegate::webViewDidFailLoad(GADWebView& webView, const net::URLError& error,
                                                  const std::shared_ptr<GADRequestError>& adError) {
    GADWebViewDelegate::webViewDidFailLoad(webView, error);
    auto slot = slot_.lock();
    // Only the load of the ad being rendered fails its request: once that
    // request has ended (a frame of the page failed before, or the ad is
    // ready), later failures of the page are not told again.
    if (!slot || slot->state() != GADSlotStateRendering) {
        return;
    }
    slot->didFailToReceiveAdWithError(adError, false, false);
}
