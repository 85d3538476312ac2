#pragma once

// What a render checker tells after sampling a web view: the page has drawn
// something, or it still shows almost only its background colour.

namespace web {
class WebView;
}

class GADWebViewRenderedCheckerDelegate {
  public:
    virtual ~GADWebViewRenderedCheckerDelegate() = default;

    virtual void webViewDidRenderContent(web::WebView& webView) = 0;
    virtual void webViewDidFailToRenderContent(web::WebView& webView) = 0;
};
