#pragma once

// The render check of the HTML adapter: one sample of a web view's page,
// told to the delegate as rendered or not. The pixel test is the
// component's one render check core (GADWebViewRenderedChecker). Both the
// web view and the delegate are held weakly. Main thread.

#include <memory>

#include "ads/mediation/GADMWebViewRenderedCheckerDelegate.h"

class GADMWebViewRenderedChecker {
  public:
    GADMWebViewRenderedChecker(const std::shared_ptr<web::WebView>& webView,
                               const std::shared_ptr<GADMWebViewRenderedCheckerDelegate>& delegate)
        : webView_(webView), delegate_(delegate) {}

    void setWebView(const std::shared_ptr<web::WebView>& webView) { webView_ = webView; }
    void setDelegate(const std::shared_ptr<GADMWebViewRenderedCheckerDelegate>& delegate) {
        delegate_ = delegate;
    }

    // Nothing without a web view or a delegate.
    void checkIsContentRenderedInWebView();

  private:
    std::weak_ptr<web::WebView> webView_;
    std::weak_ptr<GADMWebViewRenderedCheckerDelegate> delegate_;
};
