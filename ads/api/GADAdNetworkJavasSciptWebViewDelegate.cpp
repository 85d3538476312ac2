#include "ads/api/GADAdNetworkJavasSciptWebViewDelegate.h"

#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADStringAdditions.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/StringUtilities.h"

GADAdNetworkJavasSciptWebViewDelegate::GADAdNetworkJavasSciptWebViewDelegate(
    const std::shared_ptr<GADSlot>& slot, std::optional<foundation::URL> passbackURL)
    : GADBannerWebViewDelegate(slot), passbackURL_(std::move(passbackURL)) {}

GADAdNetworkJavasSciptWebViewDelegate::~GADAdNetworkJavasSciptWebViewDelegate() {
    if (auto timer = checkRenderingTimer_.lock()) {
        timer->invalidate();
    }
}

bool GADAdNetworkJavasSciptWebViewDelegate::isPassbackRequest(
    const net::URLRequest& request) const {
    const auto& url = request.url();
    if (!url) {
        return false;
    }
    if (foundation::equalsIgnoringCase(url->scheme(), "passback")) {
        return true;
    }
    if (!passbackURL_ || !passbackURL_->host() || !url->host()) {
        return false;
    }
    return foundation::equalsIgnoringCase(*passbackURL_->host(), *url->host()) &&
           GADPathValidation::gad_isEquivalentToURLString(passbackURL_->percentEncodedPath(),
                                                          url->percentEncodedPath());
}

void GADAdNetworkJavasSciptWebViewDelegate::startRenderingTimerForWebView(GADWebView& webView) {
    GADMacros::runSynchronouslyOnMainThreadWithBlock([&] {
        stopRenderingTimer();
        renderingWebView_ = std::dynamic_pointer_cast<GADWebView>(webView.weak_from_this().lock());
        auto checker =
            std::make_shared<GADWebViewRenderedChecker>(webView.webView(), weak_from_this().lock());
        webViewRenderedChecker_ = checker;
        // The timer keeps its checker alive between ticks.
        checkRenderingTimer_ = foundation::Timer::scheduled(
            kCheckRenderingInterval, true,
            [checker](foundation::Timer&) { checker->checkIsContentRenderedInWebView(); });
    });
}

void GADAdNetworkJavasSciptWebViewDelegate::stopRenderingTimer() {
    GADMacros::runSynchronouslyOnMainThreadWithBlock([&] {
        if (webViewRenderedChecker_) {
            webViewRenderedChecker_->setWebView(nullptr);
            webViewRenderedChecker_->setDelegate(nullptr);
            webViewRenderedChecker_.reset();
        }
        if (auto timer = checkRenderingTimer_.lock()) {
            timer->invalidate();
        }
        checkRenderingTimer_.reset();
    });
}

bool GADAdNetworkJavasSciptWebViewDelegate::webViewShouldStartLoad(
    GADWebView& webView, const net::URLRequest& request, web::NavigationType navigationType) {
    if (!request.url()) {
        return false;
    }
    if (isPassbackRequest(request)) {
        wasPassbackReceived_ = true;
        stopRenderingTimer();
        if (auto slot = this->slot()) {
            slot->didFailToReceiveAdWithError(
                std::make_shared<GADRequestError>(
                    GADRequestError::errorWithCode(kGADErrorNoFill, "Passback URL received.")),
                true, true);
        }
        return false;
    }
    return GADBannerWebViewDelegate::webViewShouldStartLoad(webView, request, navigationType);
}

void GADAdNetworkJavasSciptWebViewDelegate::webViewDidFinishLoad(GADWebView& webView) {
    if (renderingCheckHasStarted_ || wasPassbackReceived_) {
        return;
    }
    renderingCheckHasStarted_ = true;
    if (auto slot = this->slot()) {
        slot->willLoadAdHTMLInWebView();
    }
    startRenderingTimerForWebView(webView);
}

void GADAdNetworkJavasSciptWebViewDelegate::webViewDidRenderContent(web::WebView&) {
    auto webView = renderingWebView_.lock();
    stopRenderingTimer();
    if (webView) {
        GADBannerWebViewDelegate::webViewDidFinishLoad(*webView);
    }
}

void GADAdNetworkJavasSciptWebViewDelegate::webViewDidFailToRenderContent(web::WebView&) {
    ++checkRenderingCount_;
    if (checkRenderingCount_ <= kMaxBlankSamples) {
        return;
    }
    auto webView = renderingWebView_.lock();
    stopRenderingTimer();
    if (!webView) {
        return;
    }
    const std::string message = "Ad check timed out.";
    net::URLError error;
    error.domain = kGADErrorDomain;
    error.code = kGADErrorNoFill;
    error.localizedDescription = message;
    webViewDidFailLoad(*webView, error,
                       std::make_shared<GADRequestError>(
                           GADRequestError::errorWithCode(kGADErrorNoFill, message)));
}
