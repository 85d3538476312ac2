#pragma once

// Takes the SDK-core page's four answer messages ("loadAdURL", "loadAd",
// "invalidRequest", "loadSdkConstants") and hands them to its delegate on a
// later turn of the main queue; other messages are left to other handlers.
// A "loadAd" whose "header" or "ad" text is no JSON object is reported as an
// invalid request, so the request it answers is not left waiting. Main thread.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ads/webview/GADGMSGHandler.h"
#include "ads/webview/GADNotification.h"
#include "ads/webview/GADSDKCoreGMSGHandlerDelegate.h"

class GADSDKCoreGMSGHandler : public GADGMSGHandler,
                              public std::enable_shared_from_this<GADSDKCoreGMSGHandler> {
  public:
    using Action = void (GADSDKCoreGMSGHandler::*)(const GADNotification& note);

    // Message name to action, built once.
    static const std::map<std::string, Action>& actionSelectorDictionary();

    bool handleRequest(const net::URLRequest& request,
                       const std::shared_ptr<GADWebView>& webView) override;

    void didReceiveloadAdURLAction(const GADNotification& note);
    void didReceiveLoadAdAction(const GADNotification& note);
    void didReceiveInvalidAdRequestAction(const GADNotification& note);
    void didReceiveloadSDKConstantsAction(const GADNotification& note);

    std::shared_ptr<GADSDKCoreGMSGHandlerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<GADSDKCoreGMSGHandlerDelegate>& delegate) {
        delegate_ = delegate;
    }

  private:
    // Calls the delegate read now on a later turn of the main queue.
    void tellDelegate(
        std::function<void(GADSDKCoreGMSGHandlerDelegate&, GADSDKCoreGMSGHandler&)> call);

    std::weak_ptr<GADSDKCoreGMSGHandlerDelegate> delegate_;
};
