#pragma once

// Runs a remote JavaScript page in a hidden web view so that other parts can
// call functions in it. The page is loaded once (5 s time-out); when that
// load fails, the fallback HTML is shown instead, with the page's URL as
// base. Expressions that arrive before a page has loaded wait, at most 50
// (the oldest goes first), and run in order once one has; when the fallback
// fails as well they are dropped, and so is every later one. A frame that
// fails while the page goes on loading is no failure of the page. Callable from
// any thread: the state is kept on a serial queue, the web view is used on
// the main thread, and neither waits for the other while holding it.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ads/webview/GADJSContainerDelegate.h"
#include "platform/foundation/Data.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/URL.h"
#include "platform/web/WebView.h"
#include "platform/web/WebViewDelegate.h"

class GADJSContainer : public web::WebViewDelegate,
                       public std::enable_shared_from_this<GADJSContainer> {
  public:
    static constexpr double kLoadTimeout = 5.0;
    static constexpr std::size_t kMaxPendingExpressions = 50;

    // A container over a new hidden web view with a zero frame. Without a
    // URL the fallback is shown at once.
    static std::shared_ptr<GADJSContainer> make(const std::optional<foundation::URL>& url,
                                                const foundation::Data& fallbackData);
    // The designated form: `webView` is hidden, gets the container as its
    // delegate and starts loading the page before this returns.
    static std::shared_ptr<GADJSContainer> make(const std::optional<foundation::URL>& url,
                                                const foundation::Data& fallbackData,
                                                const std::shared_ptr<web::WebView>& webView);
    GADJSContainer(const GADJSContainer&) = delete;
    GADJSContainer& operator=(const GADJSContainer&) = delete;

    std::shared_ptr<GADJSContainerDelegate> delegate() const;
    void setDelegate(const std::shared_ptr<GADJSContainerDelegate>& delegate);
    const std::shared_ptr<web::WebView>& webView() const { return webView_; }
    // A page (or the fallback) has finished loading.
    bool isLoaded() const;
    std::size_t pendingExpressionCount() const;

    // Runs the expression in the page once one has loaded; answers true when
    // it ran now, false when it waits (or was dropped after the fallback
    // failed).
    bool invokeJavaScriptFromString(const std::string& expression);
    // Runs the expression now, whatever has loaded, and answers its result.
    std::string stringByEvaluatingJavaScriptFromString(const std::string& expression);

    // web::WebViewDelegate.
    bool webViewShouldStartLoad(web::WebView& webView, const net::URLRequest& request,
                                web::NavigationType navigationType) override;
    void webViewDidStartLoad(web::WebView& webView) override;
    void webViewDidFinishLoad(web::WebView& webView) override;
    void webViewDidFailLoad(web::WebView& webView, const net::URLError& error) override;

  private:
    GADJSContainer(const std::optional<foundation::URL>& url, const foundation::Data& fallbackData,
                   const std::shared_ptr<web::WebView>& webView);
    void start();
    void loadFallback();
    static void evaluate(const std::shared_ptr<web::WebView>& webView,
                         const std::string& expression);

    std::shared_ptr<foundation::DispatchQueue> lockQueue_;
    std::shared_ptr<web::WebView> webView_;
    std::optional<foundation::URL> remoteURL_;
    foundation::Data fallbackData_;
    // Guarded by the lock queue.
    std::vector<std::string> pendingExpressions_;
    bool loaded_ = false;
    bool initialLoadSequence_ = true;
    bool failureLoadSequence_ = false;
    bool fallbackFailed_ = false;
    std::weak_ptr<GADJSContainerDelegate> delegate_;
};
