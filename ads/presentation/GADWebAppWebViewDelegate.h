#pragma once

// The web-view delegate of a web-app screen: it records when the landing
// page first started and last finished loading, presents what the ad opens
// from the application's controller for a transparent interstitial, and
// tells the page "onshow" once, when the screen has appeared and the page
// has loaded, in either order. Main thread.

#include <memory>

#include "ads/webview/GADWebViewDelegate.h"

class GADWebAppViewController;

class GADWebAppWebViewDelegate : public GADWebViewDelegate {
  public:
    explicit GADWebAppWebViewDelegate(const std::weak_ptr<GADWebAppViewController>& controller);

    // An MRAID expansion that loaded a second page: the slot's ad is an MRAID
    // ad and the screen's web view is not the slot's own.
    bool isTwoPieceExpandable() const;
    // "onshow" (and "onReadyEventReceived" for a two-piece expansion) when
    // pending and never sent.
    void postOnShowEvent();
    // Sends "onshow" at once when the page has already loaded.
    void setPendingOnShow(bool pending);
    bool pendingOnShow() const { return pendingOnShow_; }
    bool calledOnShow() const { return calledOnShow_; }
    std::shared_ptr<GADWebAppViewController> webAppViewController() const {
        return webAppViewController_.lock();
    }

    std::shared_ptr<ui::ViewController> viewControllerForPresentingFromWebView(
        GADWebView& webView) override;
    void webViewDidStartLoad(GADWebView& webView) override;
    void webViewDidFinishLoad(GADWebView& webView) override;
    void webViewDidFailLoad(GADWebView& webView, const net::URLError& error) override;

  private:
    bool pendingOnShow_ = false;
    bool calledOnShow_ = false;
    std::weak_ptr<GADWebAppViewController> webAppViewController_;
};
