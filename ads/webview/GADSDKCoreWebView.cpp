#include "ads/webview/GADSDKCoreWebView.h"

#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADURLAdditions.h"
#include "ads/webview/GADNotification.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Thread.h"
#include "platform/foundation/URL.h"

namespace {

// Answers "function" in a page that speaks the SDK-core protocol.
constexpr const char* kProtocolCheck = "typeof VIRA_buildAdURL";

}  // namespace

std::shared_ptr<GADSDKCoreWebView> GADSDKCoreWebView::make() {
    std::shared_ptr<GADSDKCoreWebView> made(new GADSDKCoreWebView());
    GADMacros::runSynchronouslyOnMainThreadWithBlock([&made] {
        made->webView_ = std::make_shared<GADWebView>(graphics::Rect{});
        made->webView_->setHidden(true);
        made->webView_->setDelegate(made);
    });
    return made;
}

GADSDKCoreWebView::GADSDKCoreWebView()
    : lockQueue_(foundation::DispatchQueue::makeSerial("com.dezuvo.zizez.sdk-core-web-view")),
      commandQueue_(foundation::DispatchQueue::makeSerial("com.dezuvo.zizez.sdk-core-web-view-js")),
      webViewDelegate_(std::make_shared<GADWebViewDelegate>()),
      handler_(std::make_shared<GADSDKCoreGMSGHandler>()) {}

GADSDKCoreWebView::~GADSDKCoreWebView() {
    // The web view belongs to the main thread; it is let go there.
    std::shared_ptr<GADWebView> webView = std::move(webView_);
    if (!webView) {
        return;
    }
    if (foundation::Thread::isMainThread()) {
        webView->setDelegate(nullptr);
    } else {
        foundation::DispatchQueue::main()->async([webView] { webView->setDelegate(nullptr); });
    }
}

void GADSDKCoreWebView::addObserverForOneTimeNotification(
    const std::shared_ptr<GADSDKCoreWebViewNotification>& observer) {
    if (!observer) {
        return;
    }
    std::weak_ptr<GADSDKCoreWebView> weakSelf = weak_from_this();
    lockQueue_->async([weakSelf, observer = std::weak_ptr(observer), key = observer.get()] {
        auto self = weakSelf.lock();
        if (!self) {
            return;
        }
        self->observers_[key] = observer;
        if (self->state_ == GADSDKCoreWebViewStateLoaded ||
            self->state_ == GADSDKCoreWebViewStateFailed) {
            foundation::DispatchQueue::global(foundation::DispatchQueue::Priority::Background)
                ->async([weakSelf] {
                    if (auto self = weakSelf.lock()) {
                        self->notifyAllObserversOnlyOnceThatSDKCoreRequestIsFinished();
                    }
                });
        }
    });
}

void GADSDKCoreWebView::removeObserver(const GADSDKCoreWebViewNotification* observer) {
    lockQueue_->sync([&] { observers_.erase(observer); });
}

void GADSDKCoreWebView::refreshSDKCore() {
    // Set at once, so an observer added after this call waits for the new load.
    setState(GADSDKCoreWebViewStateLoading);
    std::weak_ptr<GADSDKCoreWebView> weakSelf = weak_from_this();
    commandQueue_->async([weakSelf] {
        auto self = weakSelf.lock();
        if (!self) {
            return;
        }
        const std::optional<foundation::URL> url = foundation::URL::fromString(GADSDKCorePageURL());
        if (!url) {
            self->setState(GADSDKCoreWebViewStateFailed);
            self->notifyAllObserversOnlyOnceThatSDKCoreRequestIsFinished();
            return;
        }
        GADMacros::runSynchronouslyOnMainThreadWithBlock(
            [&] { self->webView_->loadRequest(net::URLRequest(*url)); });
    });
}

bool GADSDKCoreWebView::webViewShouldStartLoad(GADWebView& webView, const net::URLRequest& request,
                                               web::NavigationType navigationType) {
    if (!request.url()) {
        return false;
    }
    if (request.url()->absoluteString() == GADSDKCorePageURL()) {
        setState(GADSDKCoreWebViewStateLoading);
    } else if (state() != GADSDKCoreWebViewStateLoaded ||
               !GADNotification::isNotificationURL(*request.url())) {
        return false;
    }
    auto shared = std::static_pointer_cast<GADWebView>(webView.shared_from_this());
    if (handler_->handleRequest(request, shared)) {
        return false;
    }
    return webViewDelegate_->webViewShouldStartLoad(webView, request, navigationType);
}

void GADSDKCoreWebView::webViewDidFinishLoad(GADWebView& webView) {
    if (state() == GADSDKCoreWebViewStateLoading) {
        if (webView.stringByEvaluatingJavaScriptFromString(kProtocolCheck) == "function") {
            setState(GADSDKCoreWebViewStateLoaded);
            setHasSDKCoreLoadedAtLeastOnce(true);
        } else {
            setState(GADSDKCoreWebViewStateFailed);
        }
    }
    webViewDelegate_->webViewDidFinishLoad(webView);
    executePendingJavaScriptCommands();
    notifyAllObserversOnlyOnceThatSDKCoreRequestIsFinished();
}

void GADSDKCoreWebView::webViewDidFailLoad(GADWebView& webView, const net::URLError& error) {
    // A load stopped for a newer one is no failure of the page; neither is a
    // part of the page that fails while the page goes on loading.
    if (error.code != net::URLErrorCode::cancelled) {
        const bool pageFailed = error.failingURLString == GADSDKCorePageURL();
        if (pageFailed || (state() == GADSDKCoreWebViewStateLoading && !webView.isLoading())) {
            setState(GADSDKCoreWebViewStateFailed);
        }
    }
    webViewDelegate_->webViewDidFailLoad(webView, error);
    notifyAllObserversOnlyOnceThatSDKCoreRequestIsFinished();
}

void GADSDKCoreWebView::notifyAllObserversOnlyOnceThatSDKCoreRequestIsFinished() {
    std::vector<std::weak_ptr<GADSDKCoreWebViewNotification>> told;
    lockQueue_->sync([&] {
        for (const auto& [key, observer] : observers_) {
            told.push_back(observer);
        }
        observers_.clear();
    });
    std::weak_ptr<GADSDKCoreWebView> weakSelf = weak_from_this();
    for (const auto& observer : told) {
        foundation::DispatchQueue::main()->async([observer, weakSelf] {
            auto live = observer.lock();
            auto self = weakSelf.lock();
            if (live && self) {
                live->didFinishLoadingSDKCoreInSDKCoreWebView(*self);
            }
        });
    }
}

std::int64_t GADSDKCoreWebView::state() const {
    std::int64_t state = 0;
    lockQueue_->sync([&] { state = state_; });
    return state;
}

void GADSDKCoreWebView::setState(std::int64_t state) {
    lockQueue_->async([weakSelf = weak_from_this(), state] {
        if (auto self = weakSelf.lock()) {
            self->state_ = state;
        }
    });
}

bool GADSDKCoreWebView::hasSDKCoreLoadedAtLeastOnce() const {
    bool loaded = false;
    lockQueue_->sync([&] { loaded = hasSDKCoreLoadedAtLeastOnce_; });
    return loaded;
}

void GADSDKCoreWebView::setHasSDKCoreLoadedAtLeastOnce(bool loaded) {
    lockQueue_->async([weakSelf = weak_from_this(), loaded] {
        if (auto self = weakSelf.lock()) {
            self->hasSDKCoreLoadedAtLeastOnce_ = loaded;
        }
    });
}

std::size_t GADSDKCoreWebView::pendingJavaScriptCommandCount() const {
    std::size_t count = 0;
    lockQueue_->sync([&] { count = pendingJSCommands_.size(); });
    return count;
}

void GADSDKCoreWebView::executeJavaScriptCommand(const std::string& command) {
    lockQueue_->async([weakSelf = weak_from_this(), command] {
        auto self = weakSelf.lock();
        if (!self || self->state_ == GADSDKCoreWebViewStateFailed) {
            return;
        }
        std::vector<std::string>& pending = self->pendingJSCommands_;
        if (pending.size() >= kMaxPendingJSCommands) {
            pending.erase(pending.begin());
        }
        pending.push_back(command);
    });
    executePendingJavaScriptCommands();
}

void GADSDKCoreWebView::executePendingJavaScriptCommands() {
    std::weak_ptr<GADSDKCoreWebView> weakSelf = weak_from_this();
    commandQueue_->async([weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->dispatchPendingJavaScriptCommands();
        }
    });
}

void GADSDKCoreWebView::dispatchPendingJavaScriptCommands() {
    std::vector<std::string> commands;
    lockQueue_->sync([&] {
        if (state_ == GADSDKCoreWebViewStateLoaded) {
            commands.swap(pendingJSCommands_);
        }
    });
    for (const std::string& command : commands) {
        GADMacros::runSynchronouslyOnMainThreadWithBlock(
            [&] { webView_->stringByEvaluatingJavaScriptFromString(command); });
    }
}
