#pragma once

// The adapter that shows a piece of HTML the mediation response carries in
// the network's credentials ("adxtym_html"), in a transparent web view of
// its own, and reports the banner once its page has drawn; a navigation to
// the passback ("adxtym_passback_url", or any "passback:" URL) means the
// network has no ad. Banners only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ads/mediation/GADMAdNetworkAdapter.h"
#include "ads/mediation/GADMWebViewRenderedChecker.h"
#include "platform/foundation/Timer.h"
#include "platform/foundation/URL.h"
#include "platform/web/WebView.h"
#include "platform/web/WebViewDelegate.h"

class GADMAdNetworkConnector;

class GADMAdapterHTML : public GADMAdNetworkAdapter,
                        public GADMWebViewRenderedCheckerDelegate,
                        public web::WebViewDelegate,
                        public std::enable_shared_from_this<GADMAdapterHTML> {
  public:
    static constexpr const char* kClassName = "GADMAdapterHTML";
    // Seconds between two render checks, and the checks after which a page
    // that never drew is given up.
    static constexpr double kRenderCheckInterval = 0.2;
    static constexpr std::uint64_t kMaximumRenderChecks = 100;

    explicit GADMAdapterHTML(const std::shared_ptr<GADMAdNetworkConnector>& connector);
    ~GADMAdapterHTML() override;

    static std::string adapterVersion() { return "1.1"; }
    static std::optional<std::string> networkExtrasClass() { return std::nullopt; }

    const std::shared_ptr<web::WebView>& webView() const { return webView_; }

    // GADMAdNetworkAdapter.
    void getBannerWithSize(GADAdSize adSize) override;
    void getInterstitial() override;
    void stopBeingDelegate() override;
    bool isBannerAnimationOK(std::int64_t) override { return true; }
    void presentInterstitialFromRootViewController(
        const std::shared_ptr<ui::ViewController>& rootViewController) override;

    // GADMWebViewRenderedCheckerDelegate.
    void webViewIsRendered(web::WebView& webView, bool rendered) override;

    // web::WebViewDelegate: navigations stay in the web view unless they go
    // to the passback.
    bool webViewShouldStartLoad(web::WebView& webView, const net::URLRequest& request,
                                web::NavigationType navigationType) override;

    bool isPassbackRequest(const net::URLRequest& request) const;
    // Equal once one final "/" is taken off each.
    static bool isPathEquivalentToPath(std::string path, std::string other);

  private:
    void clearWebView();
    void createWebViewWithSize(GADAdSize adSize);
    void startRenderingTimer();
    void stopRenderingTimer();
    void failBanner(long code, const std::string& message);
    void failInterstitialRequest();

    std::weak_ptr<GADMAdNetworkConnector> connector_;
    std::shared_ptr<web::WebView> webView_;
    std::optional<foundation::URL> passbackUrl_;
    std::shared_ptr<GADMWebViewRenderedChecker> checker_;
    std::shared_ptr<foundation::Timer> checkTimer_;
    std::uint64_t checkCount_ = 0;
};
