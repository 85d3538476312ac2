#pragma once

// The pool of blank platform web views that ad views reuse. A web view
// offered back is cleared on the main queue (stopped, then loaded with
// "about:blank", at most three at a time; others are dropped) and kept only
// when its blank page has an empty body and the pool is below its capacity.
// A memory warning empties the pool. Main thread, except that taking and
// counting are safe from any thread.

#include <cstddef>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "platform/foundation/Notification.h"
#include "platform/web/WebView.h"

class GADWebViewCacheSet : public web::WebViewDelegate,
                           public std::enable_shared_from_this<GADWebViewCacheSet> {
  public:
    static constexpr std::size_t kMaximumClearing = 3;

    static std::shared_ptr<GADWebViewCacheSet> make(int capacity);
    ~GADWebViewCacheSet() override;
    GADWebViewCacheSet(const GADWebViewCacheSet&) = delete;
    GADWebViewCacheSet& operator=(const GADWebViewCacheSet&) = delete;

    // The user default "gad_web_view_cache_max_capacity" when it holds 0 to
    // 9; 4 otherwise.
    static int capacityFromUserDefaults();

    int capacity() const { return capacity_; }
    // Clears the web view on a later turn of the main queue.
    void addObject(const std::shared_ptr<web::WebView>& webView);
    void clearWebView(const std::shared_ptr<web::WebView>& webView);
    // Takes a pooled web view out, or nullptr.
    std::shared_ptr<web::WebView> anyObject();
    std::size_t count() const;
    std::size_t clearingCount() const { return clearing_.size(); }
    void removeAllObjects();
    void didReceiveMemoryWarning(const foundation::Notification& notification);

    // While a web view is being cleared only "about:blank" may load.
    bool webViewShouldStartLoad(web::WebView& webView, const net::URLRequest& request,
                                web::NavigationType type) override;
    void webViewDidFinishLoad(web::WebView& webView) override;
    void webViewDidFailLoad(web::WebView& webView, const net::URLError& error) override;

  private:
    explicit GADWebViewCacheSet(int capacity) : capacity_(capacity) {}
    std::shared_ptr<web::WebView> takeClearing(web::WebView& webView);

    int capacity_;
    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<web::WebView>> pooled_;
    std::set<std::shared_ptr<web::WebView>> clearing_;
};
