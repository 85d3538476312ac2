#pragma once

// The newer web-view delegates. The navigation delegate decides the policy of
// every navigation action (every frame, custom schemes and new-window
// requests included) and hears the main frame's navigation: provisional
// start, commit, finish and the two kinds of failure. The UI delegate is
// asked for a web view when a page wants a new window. Main thread; every
// method is optional.

#include <memory>

#include "platform/net/URLError.h"
#include "platform/web/NavigationAction.h"

namespace web {

class WebView;

enum class NavigationActionPolicy { cancel = 0, allow = 1 };

class NavigationDelegate {
  public:
    virtual ~NavigationDelegate() = default;

    virtual NavigationActionPolicy decidePolicyForNavigationAction(WebView& webView,
                                                                   const NavigationAction& action) {
        return NavigationActionPolicy::allow;
    }
    virtual void didStartProvisionalNavigation(WebView& webView) {}
    virtual void didCommitNavigation(WebView& webView) {}
    virtual void didFinishNavigation(WebView& webView) {}
    virtual void didFailProvisionalNavigation(WebView& webView, const net::URLError& error) {}
    virtual void didFailNavigation(WebView& webView, const net::URLError& error) {}
};

class WebUIDelegate {
  public:
    virtual ~WebUIDelegate() = default;

    // createWebViewWithConfiguration:forNavigationAction:windowFeatures: ; the
    // new view loads the request. nullptr: no window is opened.
    virtual std::shared_ptr<WebView> createWebView(WebView& webView,
                                                   const NavigationAction& action) {
        return nullptr;
    }
};

}  // namespace web
