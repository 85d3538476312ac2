#pragma once

// The pool of blank platform web views that ad views reuse: a GADCacheSet
// whose members are web views. A web view offered back is cleared on the
// main queue first (stopped, then loaded with "about:blank", at most three
// at a time; others are dropped) and goes into the set only when its blank
// page has an empty body. Clearing runs on the main thread; taking and
// counting are safe from any thread.

#include <cstddef>
#include <memory>
#include <set>

#include "ads/foundation/GADCacheSet.h"
#include "platform/web/WebView.h"

class GADWebViewCacheSet : public GADCacheSet<web::WebView>,
                           public web::WebViewDelegate,
                           public std::enable_shared_from_this<GADWebViewCacheSet> {
  public:
    static constexpr std::size_t kMaximumClearing = 3;

    static std::shared_ptr<GADWebViewCacheSet> make(int capacity);
    ~GADWebViewCacheSet() override;

    // The user default "gad_web_view_cache_max_capacity" when it holds 0 to
    // 9; 4 otherwise.
    static int capacityFromUserDefaults();

    // Clears the web view on a later turn of the main queue.
    void addObject(std::shared_ptr<web::WebView> webView) override;
    void clearWebView(const std::shared_ptr<web::WebView>& webView);
    std::size_t clearingCount() const { return clearing_.size(); }

    // While a web view is being cleared only "about:blank" may load.
    bool webViewShouldStartLoad(web::WebView& webView, const net::URLRequest& request,
                                web::NavigationType type) override;
    void webViewDidFinishLoad(web::WebView& webView) override;
    void webViewDidFailLoad(web::WebView& webView, const net::URLError& error) override;

  private:
    explicit GADWebViewCacheSet(int capacity) : GADCacheSet<web::WebView>(capacity) {}
    std::shared_ptr<web::WebView> takeClearing(web::WebView& webView);

    std::set<std::shared_ptr<web::WebView>> clearing_;
};
