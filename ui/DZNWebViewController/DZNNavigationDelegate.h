#pragma once

// The navigation delegate of a DZNWebView, which also hears how far the
// page's load has come.

#include "platform/web/NavigationDelegate.h"
#include "platform/web/WebView.h"

class DZNNavigationDelegate : public web::NavigationDelegate {
  public:
    // webView:didUpdateProgress: , `progress` from 0 to 1.
    virtual void webViewDidUpdateProgress(web::WebView& webView, double progress) = 0;
};
