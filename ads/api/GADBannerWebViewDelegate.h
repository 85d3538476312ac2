#pragma once

// The delegate of a slot's ad web view: on top of the web-view delegate's
// policy it recognises the user's clicks on the ad (a navigation at least
// 0.15 s after the ad page loaded, in a touched web view, that is not a
// reload or a history move) and opens them outside the ad, and it tells the
// slot when its ad page has loaded or failed. Main thread.

#include <memory>

#include "ads/webview/GADWebViewDelegate.h"

class GADRequestError;
class GADSlot;

class GADBannerWebViewDelegate : public GADWebViewDelegate {
  public:
    // The least time between the ad page's load and a click, in seconds.
    static constexpr double kMinimumClickDelay = 0.15;

    explicit GADBannerWebViewDelegate(const std::shared_ptr<GADSlot>& slot);

    std::shared_ptr<GADSlot> slot() const { return slot_.lock(); }
    std::shared_ptr<GADMRAIDAdSlot> MRAIDAdSlot() const override;
    bool isClick(web::NavigationType navigationType, const GADWebView& webView) const;

    bool webViewShouldStartLoad(GADWebView& webView, const net::URLRequest& request,
                                web::NavigationType navigationType) override;
    void webViewDidFinishLoad(GADWebView& webView) override;
    void webViewDidFailLoad(GADWebView& webView, const net::URLError& error) override;

  protected:
    // A failed load of the ad page: the slot fails with `adError` while it
    // renders the ad, so one request fails once whatever fails in its page.
    void webViewDidFailLoad(GADWebView& webView, const net::URLError& error,
                            const std::shared_ptr<GADRequestError>& adError);

  private:
    std::weak_ptr<GADSlot> slot_;
};
