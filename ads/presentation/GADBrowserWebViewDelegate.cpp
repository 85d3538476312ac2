#include "ads/presentation/GADBrowserWebViewDelegate.h"

#include "ads/foundation/GADAbsoluteTime.h"
#include "ads/foundation/GADStatisticDictionary.h"
#include "ads/presentation/GADBrowserViewController.h"
#include "ads/presentation/GADBrowserWebView.h"
#include "platform/foundation/StringUtilities.h"

bool GADBrowserWebViewDelegate::webViewShouldStartLoad(GADWebView& webView,
                                                       const net::URLRequest& request,
                                                       web::NavigationType navigationType) {
    auto browser = browserControllerForWebView(webView);
    if (browser && request.url() &&
        (navigationType == web::NavigationType::linkClicked ||
         navigationType == web::NavigationType::formSubmitted)) {
        const std::string scheme = foundation::lowercase(request.url()->scheme());
        if (auto statistics = browser->adStatistics()) {
            if (scheme == "http") {
                statistics->incrementNumberForKey(kGADLandingPageHTTPClicksKey, true);
            } else if (scheme == "https") {
                statistics->incrementNumberForKey(kGADLandingPageHTTPSClicksKey, true);
            }
        }
    }
    return GADWebViewDelegate::webViewShouldStartLoad(webView, request, navigationType);
}

void GADBrowserWebViewDelegate::webViewDidStartLoad(GADWebView& webView) {
    auto browser = browserControllerForWebView(webView);
    if (!browser) {
        GADWebViewDelegate::webViewDidStartLoad(webView);
        return;
    }
    if (auto statistics = browser->adStatistics()) {
        if (statistics->objectForKey(kGADLandingPageLoadStartKey).isNull()) {
            statistics->setObject(kGADLandingPageLoadStartKey,
                                  foundation::Value(static_cast<std::int64_t>(
                                      GADAbsoluteTime::absoluteTimeInMilliseconds())),
                                  true);
        }
    }
    GADWebViewDelegate::webViewDidStartLoad(webView);
    browser->refreshToolbar();
}

void GADBrowserWebViewDelegate::webViewDidFinishLoad(GADWebView& webView) {
    auto browser = browserControllerForWebView(webView);
    if (browser) {
        if (auto statistics = browser->adStatistics()) {
            statistics->setObject(kGADLandingPageLoadEndKey,
                                  foundation::Value(static_cast<std::int64_t>(
                                      GADAbsoluteTime::absoluteTimeInMilliseconds())),
                                  true);
        }
    }
    GADWebViewDelegate::webViewDidFinishLoad(webView);
    if (browser) {
        browser->refreshToolbar();
    }
}

void GADBrowserWebViewDelegate::webViewDidFailLoad(GADWebView& webView,
                                                   const net::URLError& error) {
    GADWebViewDelegate::webViewDidFailLoad(webView, error);
    if (auto browser = browserControllerForWebView(webView)) {
        browser->refreshToolbar();
    }
}

std::shared_ptr<GADBrowserViewController> GADBrowserWebViewDelegate::browserControllerForWebView(
    GADWebView& webView) {
    auto* browserWebView = dynamic_cast<GADBrowserWebView*>(&webView);
    return browserWebView ? browserWebView->browserViewController() : nullptr;
}
