#pragma once

// Hears each sample of a mediation render check: whether the web view's
// page has drawn.

namespace web {
class WebView;
}

class GADMWebViewRenderedCheckerDelegate {
  public:
    virtual ~GADMWebViewRenderedCheckerDelegate() = default;
    virtual void webViewIsRendered(web::WebView& webView, bool rendered) = 0;
};
