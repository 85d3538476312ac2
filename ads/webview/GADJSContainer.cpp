#include "ads/webview/GADJSContainer.h"

#include "ads/foundation/GADMacros.h"
#include "platform/foundation/Log.h"

namespace {
constexpr const char* kLogComponent = "JSContainer";
}  // namespace

std::shared_ptr<GADJSContainer> GADJSContainer::make(const std::optional<foundation::URL>& url,
                                                     const foundation::Data& fallbackData) {
    std::shared_ptr<web::WebView> webView;
    GADMacros::runSynchronouslyOnMainThreadWithBlock(
        [&webView] { webView = std::make_shared<web::WebView>(graphics::Rect{}); });
    return make(url, fallbackData, webView);
}

std::shared_ptr<GADJSContainer> GADJSContainer::make(const std::optional<foundation::URL>& url,
                                                     const foundation::Data& fallbackData,
                                                     const std::shared_ptr<web::WebView>& webView) {
    std::shared_ptr<GADJSContainer> container(new GADJSContainer(url, fallbackData, webView));
    container->start();
    return container;
}

GADJSContainer::GADJSContainer(const std::optional<foundation::URL>& url,
                               const foundation::Data& fallbackData,
                               const std::shared_ptr<web::WebView>& webView)
    : lockQueue_(foundation::DispatchQueue::makeSerial("com.dezuvo.zizez.js-container")),
      webView_(webView),
      remoteURL_(url),
      fallbackData_(fallbackData) {}

void GADJSContainer::start() {
    auto self = shared_from_this();
    GADMacros::runSynchronouslyOnMainThreadWithBlock([self] {
        self->webView_->setHidden(true);
        self->webView_->setDelegate(self);
        if (!self->remoteURL_) {
            self->lockQueue_->sync([&] {
                self->initialLoadSequence_ = false;
                self->failureLoadSequence_ = true;
            });
            self->loadFallback();
            return;
        }
        self->webView_->loadRequest(net::URLRequest(
            *self->remoteURL_, net::URLRequestCachePolicy::useProtocolCachePolicy, kLoadTimeout));
    });
}

void GADJSContainer::loadFallback() {
    auto self = shared_from_this();
    GADMacros::runSynchronouslyOnMainThreadWithBlock([self] {
        self->webView_->loadData(self->fallbackData_, "text/html", "UTF-8", self->remoteURL_);
    });
}

std::shared_ptr<GADJSContainerDelegate> GADJSContainer::delegate() const {
    std::shared_ptr<GADJSContainerDelegate> delegate;
    lockQueue_->sync([&] { delegate = delegate_.lock(); });
    return delegate;
}

void GADJSContainer::setDelegate(const std::shared_ptr<GADJSContainerDelegate>& delegate) {
    lockQueue_->sync([&] { delegate_ = delegate; });
}

bool GADJSContainer::isLoaded() const {
    bool loaded = false;
    lockQueue_->sync([&] { loaded = loaded_; });
    return loaded;
}

std::size_t GADJSContainer::pendingExpressionCount() const {
    std::size_t count = 0;
    lockQueue_->sync([&] { count = pendingExpressions_.size(); });
    return count;
}

bool GADJSContainer::invokeJavaScriptFromString(const std::string& expression) {
    bool runNow = false;
    bool dropped = false;
    lockQueue_->sync([&] {
        if (loaded_) {
            runNow = true;
            return;
        }
        if (fallbackFailed_) {
            dropped = true;
            return;
        }
        if (pendingExpressions_.size() >= kMaxPendingExpressions) {
            pendingExpressions_.erase(pendingExpressions_.begin());
        }
        pendingExpressions_.push_back(expression);
    });
    if (dropped) {
        foundation::Log::write(kLogComponent, "no page to run an expression in");
    }
    if (runNow) {
        evaluate(webView_, expression);
    }
    return runNow;
}

std::string GADJSContainer::stringByEvaluatingJavaScriptFromString(const std::string& expression) {
    std::string result;
    auto webView = webView_;
    GADMacros::runSynchronouslyOnMainThreadWithBlock(
        [&] { result = webView->stringByEvaluatingJavaScriptFromString(expression); });
    return result;
}

void GADJSContainer::evaluate(const std::shared_ptr<web::WebView>& webView,
                              const std::string& expression) {
    GADMacros::runSynchronouslyOnMainThreadWithBlock(
        [&] { webView->stringByEvaluatingJavaScriptFromString(expression); });
}

bool GADJSContainer::webViewShouldStartLoad(web::WebView&, const net::URLRequest& request,
                                            web::NavigationType navigationType) {
    bool inSequence = false;
    std::shared_ptr<GADJSContainerDelegate> delegate;
    lockQueue_->sync([&] {
        inSequence = initialLoadSequence_ || failureLoadSequence_;
        delegate = delegate_.lock();
    });
    if (inSequence || !delegate) {
        return true;
    }
    return delegate->containerShouldStartLoadWithRequest(*this, request, navigationType)
        .value_or(true);
}

void GADJSContainer::webViewDidStartLoad(web::WebView&) {
    bool inSequence = false;
    std::shared_ptr<GADJSContainerDelegate> delegate;
    lockQueue_->sync([&] {
        inSequence = initialLoadSequence_ || failureLoadSequence_;
        delegate = delegate_.lock();
    });
    if (!inSequence && delegate) {
        delegate->didStartLoadInJSContainer(*this);
    }
}

void GADJSContainer::webViewDidFinishLoad(web::WebView&) {
    auto self = shared_from_this();
    std::vector<std::string> pending;
    lockQueue_->sync([&] {
        initialLoadSequence_ = false;
        failureLoadSequence_ = false;
        loaded_ = true;
        pending.swap(pendingExpressions_);
    });
    for (const auto& expression : pending) {
        invokeJavaScriptFromString(expression);
    }
    if (auto delegate = this->delegate()) {
        delegate->didFinishLoadInJSContainer(*this);
    }
}

void GADJSContainer::webViewDidFailLoad(web::WebView& webView, const net::URLError& error) {
    // A frame of the page that fails while the page goes on loading is no
    // failure of the page.
    if (webView.isLoading()) {
        return;
    }
    bool showFallback = false;
    std::size_t dropped = 0;
    lockQueue_->sync([&] {
        if (initialLoadSequence_) {
            initialLoadSequence_ = false;
            failureLoadSequence_ = true;
            showFallback = true;
        } else if (failureLoadSequence_ && !fallbackFailed_) {
            fallbackFailed_ = true;
            dropped = pendingExpressions_.size();
            pendingExpressions_.clear();
        }
    });
    if (showFallback) {
        foundation::Log::write(kLogComponent, "page failed (" + error.localizedDescription +
                                                  "), showing the fallback");
        loadFallback();
    } else if (dropped > 0) {
        foundation::Log::write(
            kLogComponent, "fallback failed, dropped " + std::to_string(dropped) + " expressions");
    }
}
