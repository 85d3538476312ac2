#pragma once

// The classic web-view delegate: asked before every navigation of every frame
// (custom schemes included; answering false cancels it without a failure
// callback) and told when each frame's load starts, finishes or fails, on the
// main thread. Every method is optional.

#include "platform/net/URLError.h"
#include "platform/net/URLRequest.h"
#include "platform/web/NavigationType.h"

namespace web {

class WebView;

class WebViewDelegate {
  public:
    virtual ~WebViewDelegate() = default;

    virtual bool webViewShouldStartLoad(WebView& webView, const net::URLRequest& request,
                                        NavigationType navigationType) {
        return true;
    }
    virtual void webViewDidStartLoad(WebView& webView) {}
    virtual void webViewDidFinishLoad(WebView& webView) {}
    virtual void webViewDidFailLoad(WebView& webView, const net::URLError& error) {}
};

}  // namespace web
