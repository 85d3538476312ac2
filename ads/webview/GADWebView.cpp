#include "ads/webview/GADWebView.h"

#include "ads/foundation/GADBadAdUtil.h"

#include <cassert>

#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADSDKVersion.h"
#include "ads/webview/GADAdURLStash.h"
#include "ads/webview/GADImpressionTicketGestureRecognizer.h"
#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADUIWebViewGestureDelegate.h"
#include "ads/webview/GADWebViewCacheSet.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/Thread.h"
#include "platform/graphics/Color.h"
#include "platform/ui/Pasteboard.h"

// Hears the platform web view's callbacks for its GADWebView, which owns it
// and outlives it as the web view's delegate.
class GADWebView::Forwarder : public web::WebViewDelegate {
  public:
    explicit Forwarder(GADWebView& owner) : owner_(owner) {}

    bool webViewShouldStartLoad(web::WebView&, const net::URLRequest& request,
                                web::NavigationType type) override {
        auto delegate = owner_.delegate();
        return !delegate || delegate->webViewShouldStartLoad(owner_, request, type);
    }
    void webViewDidStartLoad(web::WebView&) override {
        if (auto delegate = owner_.delegate()) {
            delegate->webViewDidStartLoad(owner_);
        }
    }
    void webViewDidFinishLoad(web::WebView&) override {
        if (auto delegate = owner_.delegate()) {
            delegate->webViewDidFinishLoad(owner_);
        }
    }
    void webViewDidFailLoad(web::WebView&, const net::URLError& error) override {
        if (auto delegate = owner_.delegate()) {
            delegate->webViewDidFailLoad(owner_, error);
        }
    }

  private:
    GADWebView& owner_;
};

const std::shared_ptr<GADWebViewCacheSet>& GADWebView::webViewCache() {
    static const auto* cache = foundation::ProcessState::withReset(
        new std::shared_ptr<GADWebViewCacheSet>(
            GADWebViewCacheSet::make(GADWebViewCacheSet::capacityFromUserDefaults())),
        [](std::shared_ptr<GADWebViewCacheSet>& pool) { pool->removeAllObjects(); });
    return *cache;
}

std::shared_ptr<web::WebView> GADWebView::cachedWebView() {
    return webViewCache()->anyObject();
}

void GADWebView::cacheWebView(const std::shared_ptr<web::WebView>& webView) {
    webViewCache()->addObject(webView);
}

GADWebView::GADWebView(const graphics::Rect& frame)
    : ui::View(frame),
      gestureDelegate_(std::make_shared<GADUIWebViewGestureDelegate>()),
      gesture_(std::make_shared<GADImpressionTicketGestureRecognizer>()) {
    assert(foundation::Thread::isMainThread());
    gesture_->setDelegate(gestureDelegate_);
    webView_ = cachedWebView();
    if (webView_) {
        webView_->setFrame(frame);
    } else {
        webView_ = std::make_shared<web::WebView>(frame);
    }
    forwarder_ = std::make_shared<Forwarder>(*this);
    webView_->setDelegate(forwarder_);
    webView_->scrollView()->setBounces(true);
    webView_->setFrame(bounds());
    reset();
}

void GADWebView::didMoveToSuperview() {
    // The web view joins this view once it is shared, at its first parent.
    if (!webView_->superview()) {
        addSubview(webView_);
        createGestureRecognizer();
    }
}

GADWebView::~GADWebView() {
    webView_->setDelegate(nullptr);
    gesture_->setDelegate({});
    if (alertView_) {
        alertView_->setDelegate({});
    }
    GADAdURLStash::remove(url_, this);
    webView_->removeFromSuperview();
    cacheWebView(webView_);
}

void GADWebView::reset() {
    webView_->setClipsToBounds(true);
    webView_->setScalesPageToFit(true);
    setAutoresizingMask(ui::Autoresizing::flexibleWidth | ui::Autoresizing::flexibleHeight);
    setOpaqueWithWebView(false);
    setBackgroundColor(graphics::Color::clearColor());
    webView_->setBackgroundColor(graphics::Color::clearColor());
    webView_->setDataDetectorTypes(0);
    webView_->setAllowsInlineMediaPlayback(true);
    webView_->setMediaPlaybackRequiresUserAction(false);
    webView_->scrollView()->setScrollEnabled(true);
    webView_->scrollView()->setScrollsToTop(false);
    createGestureRecognizer();
}

void GADWebView::createGestureRecognizer() {
    if (!gesture_ || weak_from_this().expired() || gesture_->view().get() == this) {
        return;
    }
    std::weak_ptr<GADWebView> weak = std::static_pointer_cast<GADWebView>(shared_from_this());
    gesture_->addTarget([weak](ui::GestureRecognizer& recognizer) {
        if (auto view = weak.lock()) {
            view->handleGesture(recognizer);
        }
    });
    addGestureRecognizer(gesture_);
}

void GADWebView::handleGesture(ui::GestureRecognizer& recognizer) {
    if (!showDebug_ || recognizer.state() != ui::GestureRecognizerStateRecognized) {
        return;
    }
    std::vector<std::string> buttons{"Publisher Toolbar"};
    if (adDebugDialog_) {
        buttons.insert(buttons.end(), {"Copy", "Report"});
    }
    std::shared_ptr<ui::AlertViewDelegate> self(shared_from_this(),
                                                static_cast<ui::AlertViewDelegate*>(this));
    alertView_ = ui::AlertView::make(
        "Debug Creative Info", adDebugDialog_.value_or("Creative information is not available"),
        self, "OK", buttons);
    alertView_->show();
}

void GADWebView::alertViewClickedButtonAtIndex(ui::AlertView&, int index) {
    const std::string text = adDebugDialog_.value_or("");
    if (index == 1) {
        if (auto delegate = this->delegate()) {
            delegate->webViewShouldStartLoad(
                *this, net::URLRequest(*foundation::URL::fromString(kGADPublisherToolbarURL)),
                web::NavigationType::other);
        }
    } else if (index == 2 && !text.empty()) {
        ui::Pasteboard::generalPasteboard().setString(text);
    } else if (index == 3 && !text.empty()) {
        reportBadAd(text);
    }
}

void GADWebView::reportBadAd(const std::string& debugText) {
    GADBadAdUtil::sharedInstance()->reportBadAd(debugText);
}

void GADWebView::configureAsBannerAdView() {
    webView_->scrollView()->setBounces(false);
    webView_->setScalesPageToFit(false);
    webView_->setMediaPlaybackRequiresUserAction(true);
    setHidden(true);
}

void GADWebView::configureAsInterstitialAdView() {
    webView_->setScalesPageToFit(false);
}

void GADWebView::setOpaqueWithWebView(bool opaque) {
    setOpaque(opaque);
    webView_->setOpaque(opaque);
}

void GADWebView::setFrame(const graphics::Rect& frame) {
    ui::View::setFrame(frame);
    webView_->setFrame(bounds());
}

void GADWebView::loadHTMLString(const std::string& html,
                                const std::optional<foundation::URL>& baseURL) {
    didReceiveLoadEvent_ = false;
    setURLForView(baseURL, std::static_pointer_cast<GADWebView>(shared_from_this()));
    webView_->loadHTMLString(html, baseURL);
}

void GADWebView::setURLForView(const std::optional<foundation::URL>& url,
                               const std::shared_ptr<GADWebView>& view) {
    if (url_) {
        GADAdURLStash::remove(url_, this);
    }
    url_ = url;
    GADAdURLStash::add(url, view);
}

std::string GADWebView::outlineText() const {
    if (!didReceiveLoadEvent_) {
        return "";
    }
    const std::optional<foundation::URL>& url = webView_->URL();
    return "Ad \"" + webView_->title() + "\" " + (url ? url->absoluteString() : std::string());
}

std::string GADWebView::stringByEvaluatingJavaScriptFromString(const std::string& script) {
    return webView_->stringByEvaluatingJavaScriptFromString(script);
}

void GADWebView::setHTMLWindowOrientation(int orientation,
                                          bool shouldDispatchOrientationChangeEvent) {
    static constexpr int kAngles[] = {0, 180, 90, -90};
    if (orientation < 1 || orientation > 4 || orientation == orientation_) {
        return;
    }
    orientation_ = orientation;
    std::string script = "window.__defineGetter__('orientation',function(){return " +
                         std::to_string(kAngles[orientation - 1]) + ";});";
    if (shouldDispatchOrientationChangeEvent) {
        script +=
            "(function(){var event = document.createEvent('Events');"
            "event.initEvent('orientationchange', true, false);window.dispatchEvent(event);})();";
    }
    stringByEvaluatingJavaScriptFromString(script);
}

void GADWebView::notifyOfSdkEvent(const std::string& name) {
    if (!didReceiveLoadEvent_) {
        return;
    }
    GADNotificationCenter::defaultCenter().postJSNotification(
        name,
        foundation::Dictionary{{"version", GADSDKVersion::versionString()},
                               {"device", GADDevice::currentDevice().deviceSubmodel()}},
        std::static_pointer_cast<GADWebView>(shared_from_this()));
}

void GADWebView::saveState() {
    savedFrame_ = frame();
    savedSuperview_ = superview();
    savedDelegate_ = delegate();
    viewControllerBeforeExpanded_ = viewController_;
    savedState_ = true;
}

void GADWebView::restoreState() {
    if (!savedState_) {
        return;
    }
    auto keep = shared_from_this();
    removeFromSuperview();
    setFrame(savedFrame_);
    savedFrame_ = {};
    if (savedSuperview_) {
        savedSuperview_->addSubview(std::static_pointer_cast<ui::View>(keep));
    }
    delegate_ = savedDelegate_;
    viewController_ = viewControllerBeforeExpanded_;
    savedSuperview_.reset();
    savedDelegate_.reset();
    viewControllerBeforeExpanded_.reset();
    savedState_ = false;
}

ui::View::Ptr GADWebView::hitTest(graphics::Point point, const ui::Event* event) {
    // Only a finger on this view counts (hit tests also ask views beside it).
    if (event != nullptr && event->type == ui::EventType::touches && pointInside(point, event)) {
        touched_ = true;
    }
    return ui::View::hitTest(point, event);
}
