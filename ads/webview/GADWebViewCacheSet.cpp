#include "ads/webview/GADWebViewCacheSet.h"

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"

namespace {

constexpr const char* kBlankPage = "about:blank";

}  // namespace

std::shared_ptr<GADWebViewCacheSet> GADWebViewCacheSet::make(int capacity) {
    return std::shared_ptr<GADWebViewCacheSet>(new GADWebViewCacheSet(capacity > 0 ? capacity : 0));
}

GADWebViewCacheSet::~GADWebViewCacheSet() {
    for (const auto& webView : clearing_) {
        webView->setDelegate(nullptr);
        webView->stopLoading();
    }
}

int GADWebViewCacheSet::capacityFromUserDefaults() {
    const foundation::Value value =
        foundation::UserDefaults::standard().objectForKey("gad_web_view_cache_max_capacity");
    if (!value.isNumber() && !value.isString()) {
        return 4;
    }
    const auto capacity =
        foundation::UserDefaults::standard().integerForKey("gad_web_view_cache_max_capacity");
    return capacity >= 0 && capacity <= 9 ? static_cast<int>(capacity) : 4;
}

void GADWebViewCacheSet::addObject(std::shared_ptr<web::WebView> webView) {
    if (!webView) {
        return;
    }
    std::weak_ptr<GADWebViewCacheSet> weak = weak_from_this();
    foundation::RunLoop::main().perform([weak, webView] {
        if (auto set = weak.lock()) {
            set->clearWebView(webView);
        }
    });
}

void GADWebViewCacheSet::clearWebView(const std::shared_ptr<web::WebView>& webView) {
    if (clearing_.size() >= kMaximumClearing) {
        return;
    }
    webView->stopLoading();
    webView->setDelegate(shared_from_this());
    webView->loadRequest(net::URLRequest(*foundation::URL::fromString(kBlankPage)));
    clearing_.insert(webView);
}

std::shared_ptr<web::WebView> GADWebViewCacheSet::takeClearing(web::WebView& webView) {
    for (auto it = clearing_.begin(); it != clearing_.end(); ++it) {
        if (it->get() == &webView) {
            auto held = *it;
            clearing_.erase(it);
            held->setDelegate(nullptr);
            return held;
        }
    }
    return nullptr;
}

bool GADWebViewCacheSet::webViewShouldStartLoad(web::WebView&, const net::URLRequest& request,
                                                web::NavigationType) {
    return request.url() && request.url()->absoluteString() == kBlankPage;
}

void GADWebViewCacheSet::webViewDidFinishLoad(web::WebView& webView) {
    auto held = takeClearing(webView);
    if (!held || !held->stringByEvaluatingJavaScriptFromString("document.body.innerHTML").empty()) {
        return;
    }
    GADCacheSet<web::WebView>::addObject(std::move(held));
}

void GADWebViewCacheSet::webViewDidFailLoad(web::WebView& webView, const net::URLError&) {
    takeClearing(webView);
}
