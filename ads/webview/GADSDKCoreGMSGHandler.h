#pragma once

// Takes the SDK-core page's four answer messages ("loadAdURL", "loadAd",
// "invalidRequest", "loadSdkConstants") and hands them to its delegate on a
// later turn of the main queue; other messages are left to other handlers.
// A "loadAd" whose "header" or "ad" text is no JSON object is reported as an
// invalid request, so the request it answers is not left waiting. A finished
// ad is made into the ad object by the installed ad maker. Main thread.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "ads/webview/GADGMSGHandler.h"
#include "ads/webview/GADNotification.h"
#include "ads/webview/GADSDKCoreGMSGHandlerDelegate.h"
#include "platform/foundation/Value.h"

class GADSDKCoreGMSGHandler : public GADGMSGHandler,
                              public std::enable_shared_from_this<GADSDKCoreGMSGHandler> {
  public:
    using Action = void (GADSDKCoreGMSGHandler::*)(const GADNotification& note);
    // Makes the ad object of a finished ad from the page's ad dictionary.
    using AdMaker = std::function<std::shared_ptr<GADAd>(const foundation::Dictionary& ad)>;

    // The ad API installs the one maker before a slot asks the page; without
    // one, a finished ad is refused as an invalid request.
    static void setAdMaker(AdMaker maker);

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
