#pragma once

// The in-app browser's web-view delegate: on top of the ad policy it counts
// the user's link clicks and form posts on the landing page by scheme,
// records when the landing page started and last finished loading, and keeps
// the browser's toolbar current.

#include <memory>

#include "ads/webview/GADWebViewDelegate.h"

class GADBrowserViewController;

// Statistics of the slot's current ad that the browser writes.
inline constexpr const char* kGADLandingPageHTTPClicksKey = "plpnc";
inline constexpr const char* kGADLandingPageHTTPSClicksKey = "plpsnc";
inline constexpr const char* kGADLandingPageLoadStartKey = "tlanding_page_load_start";
inline constexpr const char* kGADLandingPageLoadEndKey = "tlanding_page_load_end";
inline constexpr const char* kGADOpenedInSystemBrowserKey = "pcbo";

class GADBrowserWebViewDelegate : public GADWebViewDelegate {
  public:
    bool webViewShouldStartLoad(GADWebView& webView, const net::URLRequest& request,
                                web::NavigationType navigationType) override;
    void webViewDidStartLoad(GADWebView& webView) override;
    void webViewDidFinishLoad(GADWebView& webView) override;
    void webViewDidFailLoad(GADWebView& webView, const net::URLError& error) override;

    // The web view's browser controller; nullptr for any other web view.
    static std::shared_ptr<GADBrowserViewController> browserControllerForWebView(
        GADWebView& webView);
};
