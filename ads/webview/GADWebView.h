#pragma once

// The view an ad page runs in: it wraps a platform web view taken from the
// pool (or a new one), forwards the page's load callbacks to its
// GADWebViewDelegate, records its ad URL in GADAdURLStash, tells the page its
// window orientation, sends component events once the page has loaded,
// remembers whether a finger touched it, keeps its place in the view tree
// across an expanded ad, and opens a debug dialog on a zig-zag swipe. On
// destruction its web view goes back to the pool. Main thread.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/URL.h"
#include "platform/net/URLRequest.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/AlertViewDelegate.h"
#include "platform/ui/View.h"
#include "platform/web/WebView.h"

namespace ui {
class ViewController;
}

class GADActiveViewObserver;
class GADImpressionTicketGestureRecognizer;
class GADUIWebViewGestureDelegate;
class GADWebViewCacheSet;
class GADWebViewDelegate;

class GADWebView : public ui::View, public ui::AlertViewDelegate {
  public:
    explicit GADWebView(const graphics::Rect& frame);
    ~GADWebView() override;
    std::string className() const override { return "GADWebView"; }
    // "Ad "<page title>" <page URL>" once a page has loaded; "" before.
    std::string outlineText() const override;
    bool outlinesSubviews() const override { return false; }

    // The pool of reusable platform web views, made once per process.
    static const std::shared_ptr<GADWebViewCacheSet>& webViewCache();
    // A blank web view out of the pool, or nullptr.
    static std::shared_ptr<web::WebView> cachedWebView();
    // Offers a web view back to the pool.
    static void cacheWebView(const std::shared_ptr<web::WebView>& webView);

    void configureAsBannerAdView();
    void configureAsInterstitialAdView();
    void reset();

    // Clears the load event, records the base URL as this view's ad URL and
    // loads the HTML.
    void loadHTMLString(const std::string& html, const std::optional<foundation::URL>& baseURL);
    // Tells the page its window orientation (1 portrait, 2 upside down,
    // 3 landscape right, 4 landscape left) and, when asked, fires its
    // "orientationchange" event; a value out of range or equal to the last
    // one does nothing.
    void setHTMLWindowOrientation(int orientation, bool shouldDispatchOrientationChangeEvent);
    void forceRotateToOrientation(int orientation) { setHTMLWindowOrientation(orientation, true); }
    void didRotateToOrientation(int orientation) { setHTMLWindowOrientation(orientation, false); }
    // Sends the event to the page with the component's version and the
    // device submodel, once the page has loaded (dropped before).
    void notifyOfSdkEvent(const std::string& name);

    // Before and after an expanded ad: frame, parent, delegate and controller.
    void saveState();
    void restoreState();

    // Records `url` as the ad URL of `view` (this view) in GADAdURLStash,
    // replacing its previous one.
    void setURLForView(const std::optional<foundation::URL>& url,
                       const std::shared_ptr<GADWebView>& view);

    // Attaches the zig-zag recognizer once the view is shared.
    void createGestureRecognizer();
    // The recognised zig-zag shows the debug dialog "Debug Creative Info"
    // (buttons "OK", "Publisher Toolbar" and, with debug text, "Copy" and
    // "Report") unless showDebug is off.
    void handleGesture(ui::GestureRecognizer& recognizer);
    void alertViewClickedButtonAtIndex(ui::AlertView& alert, int index) override;
    // Hands the debug text to the bad-ad report.
    void reportBadAd(const std::string& debugText);
    const std::shared_ptr<ui::AlertView>& alertView() const { return alertView_; }
    const std::shared_ptr<GADImpressionTicketGestureRecognizer>& gesture() const {
        return gesture_;
    }

    // A touch reaching the hit test marks the view touched.
    Ptr hitTest(graphics::Point point, const ui::Event* event) override;
    void setFrame(const graphics::Rect& frame) override;
    void didMoveToSuperview() override;

    // Forwarded to the platform web view.
    virtual std::string stringByEvaluatingJavaScriptFromString(const std::string& script);
    void loadRequest(const net::URLRequest& request) { webView_->loadRequest(request); }
    void goBack() { webView_->goBack(); }
    void goForward() { webView_->goForward(); }
    void stopLoading() { webView_->stopLoading(); }
    void reload() { webView_->reload(); }
    bool canGoBack() const { return webView_->canGoBack(); }
    bool canGoForward() const { return webView_->canGoForward(); }
    bool isLoading() const { return webView_->isLoading(); }
    const std::optional<net::URLRequest>& request() const { return webView_->request(); }
    const std::shared_ptr<ui::ScrollView>& scrollView() const { return webView_->scrollView(); }
    int dataDetectorTypes() const { return webView_->dataDetectorTypes(); }
    void setDataDetectorTypes(int types) { webView_->setDataDetectorTypes(types); }
    bool mediaPlaybackRequiresUserAction() const {
        return webView_->mediaPlaybackRequiresUserAction();
    }
    void setMediaPlaybackRequiresUserAction(bool required) {
        webView_->setMediaPlaybackRequiresUserAction(required);
    }
    // This view and the web view.
    void setOpaqueWithWebView(bool opaque);

    const std::shared_ptr<web::WebView>& webView() const { return webView_; }
    std::shared_ptr<GADWebViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<GADWebViewDelegate>& delegate) { delegate_ = delegate; }
    // The controller that presents screens for the ad (held weakly).
    std::shared_ptr<ui::ViewController> viewController() const { return viewController_.lock(); }
    virtual void setViewController(const std::shared_ptr<ui::ViewController>& controller) {
        viewController_ = controller;
    }
    // The user touched the page since the slot's last finished load.
    bool touched() const { return touched_; }
    void setTouched(bool touched) { touched_ = touched; }
    const std::optional<std::string>& adDebugDialog() const { return adDebugDialog_; }
    void setAdDebugDialog(std::optional<std::string> text) { adDebugDialog_ = std::move(text); }
    bool showDebug() const { return showDebug_; }
    void setShowDebug(bool show) { showDebug_ = show; }
    bool didReceiveLoadEvent() const { return didReceiveLoadEvent_; }
    void setDidReceiveLoadEvent(bool received) { didReceiveLoadEvent_ = received; }
    int orientation() const { return orientation_; }
    const std::optional<foundation::URL>& URL() const { return url_; }
    bool savedState() const { return savedState_; }

    // A viewability page's side: its last verdict on the ad's visibility,
    // whether it said it stopped tracking the ad, and who hears a new
    // verdict (held weakly).
    bool activeViewVisibility() const { return activeViewVisibility_; }
    void setActiveViewVisibility(bool visible) { activeViewVisibility_ = visible; }
    bool activeViewUnloadPingReceived() const { return activeViewUnloadPingReceived_; }
    void setActiveViewUnloadPingReceived(bool received) {
        activeViewUnloadPingReceived_ = received;
    }
    std::shared_ptr<GADActiveViewObserver> activeViewObserver() const {
        return activeViewObserver_.lock();
    }
    void setActiveViewObserver(const std::weak_ptr<GADActiveViewObserver>& observer) {
        activeViewObserver_ = observer;
    }

  private:
    class Forwarder;

    std::shared_ptr<web::WebView> webView_;
    std::shared_ptr<Forwarder> forwarder_;
    std::shared_ptr<GADUIWebViewGestureDelegate> gestureDelegate_;
    std::shared_ptr<GADImpressionTicketGestureRecognizer> gesture_;
    std::shared_ptr<ui::AlertView> alertView_;
    std::weak_ptr<GADWebViewDelegate> delegate_;
    std::weak_ptr<ui::ViewController> viewController_;
    bool touched_ = false;
    std::optional<std::string> adDebugDialog_;
    bool showDebug_ = true;
    bool didReceiveLoadEvent_ = false;
    int orientation_ = 0;
    std::optional<foundation::URL> url_;
    bool savedState_ = false;
    graphics::Rect savedFrame_;
    std::shared_ptr<ui::View> savedSuperview_;
    std::shared_ptr<GADWebViewDelegate> savedDelegate_;
    std::weak_ptr<ui::ViewController> viewControllerBeforeExpanded_;
    bool activeViewVisibility_ = false;
    bool activeViewUnloadPingReceived_ = false;
    std::weak_ptr<GADActiveViewObserver> activeViewObserver_;
};
