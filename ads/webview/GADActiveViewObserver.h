#pragma once

// Who hears that the viewability page of an ad web view changed its verdict
// on the ad's visibility. Main thread.

class GADWebView;

class GADActiveViewObserver {
  public:
    virtual ~GADActiveViewObserver() = default;
    virtual void webViewDidChangeActiveViewVisibility(GADWebView& webView) = 0;
};
