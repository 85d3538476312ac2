#pragma once

// A one-time observer of an SDK-core web view: told once, on the main
// queue, when the page's current load has ended (finished or failed).

class GADSDKCoreWebView;

class GADSDKCoreWebViewNotification {
  public:
    virtual ~GADSDKCoreWebViewNotification() = default;
    virtual void didFinishLoadingSDKCoreInSDKCoreWebView(GADSDKCoreWebView& webView) = 0;
};
