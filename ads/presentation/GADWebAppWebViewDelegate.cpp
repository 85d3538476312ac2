#include "ads/presentation/GADWebAppWebViewDelegate.h"

#include "ads/foundation/GADAbsoluteTime.h"
#include "ads/foundation/GADStatisticDictionary.h"
#include "ads/presentation/GADBrowserWebViewDelegate.h"
#include "ads/presentation/GADScreenSlot.h"
#include "ads/presentation/GADWebAppViewController.h"
#include "ads/webview/GADWebAppGMSGHandler.h"
#include "ads/webview/GADWebView.h"

namespace {

std::shared_ptr<GADStatisticDictionary> adStatistics(const GADWebAppViewController* controller) {
    auto slot = controller ? controller->slot() : nullptr;
    return slot ? slot->adStatistics() : nullptr;
}

foundation::Value now() {
    return foundation::Value(
        static_cast<std::int64_t>(GADAbsoluteTime::absoluteTimeInMilliseconds()));
}

}  // namespace

GADWebAppWebViewDelegate::GADWebAppWebViewDelegate(
    const std::weak_ptr<GADWebAppViewController>& controller)
    : webAppViewController_(controller) {
    addGMSGHandler(std::make_shared<GADWebAppGMSGHandler>());
    const auto owner = controller.lock();
    if (auto appEvents = owner ? owner->appEventHandler() : nullptr) {
        addGMSGHandler(appEvents);
    }
}

bool GADWebAppWebViewDelegate::isTwoPieceExpandable() const {
    auto controller = webAppViewController();
    auto slot = controller ? controller->slot() : nullptr;
    return slot && slot->isMRAIDEnabled() && controller->webView() != slot->webView();
}

void GADWebAppWebViewDelegate::postOnShowEvent() {
    if (!pendingOnShow_ || calledOnShow_) {
        return;
    }
    auto controller = webAppViewController();
    if (controller && controller->webView()) {
        controller->webView()->notifyOfSdkEvent("onshow");
        if (isTwoPieceExpandable()) {
            controller->webView()->notifyOfSdkEvent("onReadyEventReceived");
        }
    }
    pendingOnShow_ = false;
    calledOnShow_ = true;
}

void GADWebAppWebViewDelegate::setPendingOnShow(bool pending) {
    pendingOnShow_ = pending;
    auto controller = webAppViewController();
    if (controller && controller->webView() && controller->webView()->didReceiveLoadEvent()) {
        postOnShowEvent();
    }
}

std::shared_ptr<ui::ViewController>
GADWebAppWebViewDelegate::viewControllerForPresentingFromWebView(GADWebView& webView) {
    auto controller = webAppViewController();
    if (controller && controller->transparentInterstitial()) {
        return controller->hostViewController();
    }
    return GADWebViewDelegate::viewControllerForPresentingFromWebView(webView);
}

void GADWebAppWebViewDelegate::webViewDidStartLoad(GADWebView& webView) {
    auto controller = webAppViewController();
    if (auto statistics = adStatistics(controller.get())) {
        if (statistics->objectForKey(kGADLandingPageLoadStartKey).isNull()) {
            statistics->setObject(kGADLandingPageLoadStartKey, now(), true);
        }
    }
    GADWebViewDelegate::webViewDidStartLoad(webView);
}

void GADWebAppWebViewDelegate::webViewDidFinishLoad(GADWebView& webView) {
    auto controller = webAppViewController();
    if (auto statistics = adStatistics(controller.get())) {
        statistics->setObject(kGADLandingPageLoadEndKey, now(), true);
    }
    GADWebViewDelegate::webViewDidFinishLoad(webView);
    if (controller) {
        controller->stopCountingForMRAID();
    }
    postOnShowEvent();
}

void GADWebAppWebViewDelegate::webViewDidFailLoad(GADWebView& webView, const net::URLError& error) {
    if (auto controller = webAppViewController()) {
        controller->stopCountingForMRAID();
    }
    GADWebViewDelegate::webViewDidFailLoad(webView, error);
}
