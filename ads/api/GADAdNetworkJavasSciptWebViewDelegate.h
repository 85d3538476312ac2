#pragma once

// The delegate of a slot's web view while it shows an ad network's
// JavaScript ad: every navigation is watched for the network's passback
// (the network has no ad), and after the page has loaded the web view is
// sampled every 0.2 s until it shows something other than its background;
// only then does the slot take the ad as loaded. After 101 blank samples
// the ad fails as timed out. Main thread.

#include <cstdint>
#include <memory>
#include <optional>

#include "ads/api/GADBannerWebViewDelegate.h"
#include "ads/webview/GADWebViewRenderedChecker.h"
#include "ads/webview/GADWebViewRenderedCheckerDelegate.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/URL.h"

class GADAdNetworkJavasSciptWebViewDelegate
    : public GADBannerWebViewDelegate,
      public GADWebViewRenderedCheckerDelegate,
      public std::enable_shared_from_this<GADAdNetworkJavasSciptWebViewDelegate> {
  public:
    static constexpr double kCheckRenderingInterval = 0.2;
    // Blank samples allowed; the next one times the ad out.
    static constexpr std::uint64_t kMaxBlankSamples = 100;

    GADAdNetworkJavasSciptWebViewDelegate(const std::shared_ptr<GADSlot>& slot,
                                          std::optional<foundation::URL> passbackURL);
    ~GADAdNetworkJavasSciptWebViewDelegate() override;

    const std::optional<foundation::URL>& passbackURL() const { return passbackURL_; }
    void setPassbackURL(std::optional<foundation::URL> url) { passbackURL_ = std::move(url); }
    bool renderingCheckHasStarted() const { return renderingCheckHasStarted_; }
    bool wasPassbackReceived() const { return wasPassbackReceived_; }

    // The scheme "passback" (any case), or the passback URL's host (any
    // case) with the same path, a trailing "/" aside.
    bool isPassbackRequest(const net::URLRequest& request) const;
    void startRenderingTimerForWebView(GADWebView& webView);
    void stopRenderingTimer();

    bool webViewShouldStartLoad(GADWebView& webView, const net::URLRequest& request,
                                web::NavigationType navigationType) override;
    void webViewDidFinishLoad(GADWebView& webView) override;

    // GADWebViewRenderedCheckerDelegate.
    void webViewDidRenderContent(web::WebView& webView) override;
    void webViewDidFailToRenderContent(web::WebView& webView) override;

  private:
    std::uint64_t checkRenderingCount_ = 0;
    std::weak_ptr<foundation::Timer> checkRenderingTimer_;
    std::shared_ptr<GADWebViewRenderedChecker> webViewRenderedChecker_;
    // The ad web view around the sampled page.
    std::weak_ptr<GADWebView> renderingWebView_;
    bool renderingCheckHasStarted_ = false;
    bool wasPassbackReceived_ = false;
    std::optional<foundation::URL> passbackURL_;
};
