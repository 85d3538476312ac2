#pragma once

// Takes the viewability page's messages: "visibilityChanged" records the
// page's verdict ("isVisible" of "1" is visible, anything else not) on the
// web view and tells its active-view observer; "untrackActiveViewUnit" notes
// that the page stopped tracking the ad. Main thread.

#include "ads/webview/GADGMSGHandler.h"

class GADNotification;

class GADActiveViewGMSGHandler : public GADGMSGHandler {
  public:
    bool handleRequest(const net::URLRequest& request,
                       const std::shared_ptr<GADWebView>& webView) override;

    void didReceiveActiveViewVisibilityChangedNotification(const GADNotification& note,
                                                           GADWebView& webView);
    void didReceiveActiveViewUntrackActiveViewNotification(const GADNotification& note,
                                                           GADWebView& webView);
};
