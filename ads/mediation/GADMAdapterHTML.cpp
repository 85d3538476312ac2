#include "ads/mediation/GADMAdapterHTML.h"

#include "ads/foundation/GADErrorCode.h"
#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADMAdNetworkConnector.h"
#include "platform/foundation/Thread.h"
#include "platform/graphics/Color.h"
#include "platform/net/URLRequest.h"

namespace {

// The ad server the HTML is loaded against.
constexpr const char* kBaseURL = "http://ads.dezuvo.com";
// Flexible width and height.
constexpr int kFlexibleSize = 18;

std::optional<std::string> textCredential(const GADMAdNetworkConnector& connector,
                                          const char* key) {
    const auto found = connector.credentials().find(key);
    if (found == connector.credentials().end() || !found->second.isString()) {
        return std::nullopt;
    }
    return *found->second.asString();
}

void onMainThread(const std::function<void()>& block) {
    if (foundation::Thread::isMainThread()) {
        block();
    } else {
        GADMacros::runSynchronouslyOnMainThreadWithBlock(block);
    }
}

}  // namespace

GADMAdapterHTML::GADMAdapterHTML(const std::shared_ptr<GADMAdNetworkConnector>& connector)
    : connector_(connector) {}

GADMAdapterHTML::~GADMAdapterHTML() {
    connector_.reset();
    clearWebView();
}

void GADMAdapterHTML::clearWebView() {
    stopBeingDelegate();
    webView_.reset();
    passbackUrl_.reset();
}

void GADMAdapterHTML::failBanner(long code, const std::string& message) {
    if (auto connector = connector_.lock()) {
        connector->adapterDidFailAd(*this, {kGADErrorDomain, code, message});
    }
}

void GADMAdapterHTML::getBannerWithSize(GADAdSize adSize) {
    clearWebView();
    auto connector = connector_.lock();
    if (!connector) {
        return;
    }
    const std::optional<std::string> html = textCredential(*connector, "adxtym_html");
    const std::optional<std::string> passback = textCredential(*connector, "adxtym_passback_url");
    // A failure ends the request: nothing is loaded after it was reported.
    if (passback && passback->empty()) {
        failBanner(2, "Empty passback URL in TYM response.");
        return;
    }
    if (passback) {
        passbackUrl_ = foundation::URL::fromString(*passback);
        if (!passbackUrl_) {
            failBanner(2, "Invalid passback URL in TYM response.");
            return;
        }
    }
    if (!html || html->empty()) {
        failBanner(2, "Missing HTML in TYM response.");
        return;
    }
    createWebViewWithSize(adSize);
    webView_->loadHTMLString(*html, foundation::URL::fromString(kBaseURL));
    startRenderingTimer();
}

void GADMAdapterHTML::createWebViewWithSize(GADAdSize adSize) {
    const graphics::Size size = GADAdSizeGetCGSize(adSize);
    webView_ = std::make_shared<web::WebView>(graphics::Rect(0, 0, size.width, size.height));
    webView_->setScalesPageToFit(false);
    webView_->setClipsToBounds(true);
    webView_->setAutoresizingMask(kFlexibleSize);
    webView_->setOpaque(false);
    webView_->setBackgroundColor(graphics::Color::clearColor());
    webView_->setAllowsInlineMediaPlayback(true);
    webView_->setMediaPlaybackRequiresUserAction(true);
    webView_->setDataDetectorTypes(0);
    webView_->setDelegate(std::static_pointer_cast<web::WebViewDelegate>(shared_from_this()));
}

void GADMAdapterHTML::failInterstitialRequest() {
    if (auto connector = connector_.lock()) {
        connector->adapterDidFailInterstitial(*this,
                                              {kGADErrorDomain, 0, "Interstitials not supported."});
    }
}

void GADMAdapterHTML::getInterstitial() {
    failInterstitialRequest();
}

void GADMAdapterHTML::presentInterstitialFromRootViewController(
    const std::shared_ptr<ui::ViewController>&) {
    failInterstitialRequest();
}

void GADMAdapterHTML::stopBeingDelegate() {
    if (webView_) {
        webView_->setDelegate(nullptr);
    }
    stopRenderingTimer();
}

void GADMAdapterHTML::startRenderingTimer() {
    onMainThread([this] {
        checker_ = std::make_shared<GADMWebViewRenderedChecker>(
            webView_,
            std::static_pointer_cast<GADMWebViewRenderedCheckerDelegate>(shared_from_this()));
        std::weak_ptr<GADMWebViewRenderedChecker> checker = checker_;
        checkTimer_ =
            foundation::Timer::scheduled(kRenderCheckInterval, true, [checker](foundation::Timer&) {
                if (auto strong = checker.lock()) {
                    strong->checkIsContentRenderedInWebView();
                }
            });
    });
}

void GADMAdapterHTML::stopRenderingTimer() {
    onMainThread([this] {
        if (checker_) {
            checker_->setWebView(nullptr);
            checker_->setDelegate(nullptr);
            checker_.reset();
        }
        if (checkTimer_) {
            checkTimer_->invalidate();
            checkTimer_.reset();
        }
    });
}

void GADMAdapterHTML::webViewIsRendered(web::WebView& webView, bool rendered) {
    if (&webView != webView_.get()) {
        return;
    }
    ++checkCount_;
    if (rendered) {
        auto self = shared_from_this();
        stopRenderingTimer();
        if (auto connector = connector_.lock()) {
            connector->adapterDidReceiveAdView(*this, webView_);
        }
    } else if (checkCount_ > kMaximumRenderChecks) {
        stopRenderingTimer();
    }
}

bool GADMAdapterHTML::webViewShouldStartLoad(web::WebView& webView, const net::URLRequest& request,
                                             web::NavigationType) {
    if (&webView != webView_.get() || !request.url()) {
        return false;
    }
    if (!isPassbackRequest(request)) {
        return true;
    }
    auto self = shared_from_this();
    stopRenderingTimer();
    failBanner(1, "Ad network returned no ad.");
    return false;
}

bool GADMAdapterHTML::isPassbackRequest(const net::URLRequest& request) const {
    const std::optional<foundation::URL>& url = request.url();
    if (!url) {
        return false;
    }
    if (url->scheme() == "passback") {
        return true;
    }
    if (!passbackUrl_) {
        return false;
    }
    return passbackUrl_->host() == url->host() &&
           isPathEquivalentToPath(passbackUrl_->path(), url->path());
}

bool GADMAdapterHTML::isPathEquivalentToPath(std::string path, std::string other) {
    for (std::string* text : {&path, &other}) {
        if (!text->empty() && text->back() == '/') {
            text->pop_back();
        }
    }
    return path == other;
}
