#pragma once

// Turns a slot's request into an ad URL through the hidden SDK-core page of
// the ad vendor, and routes the page's answer back to the slot.

#include <memory>

#include "ads/webview/GADSDKCoreControllerDelegate.h"

class GADSDKCoreController {
  public:
    virtual ~GADSDKCoreController() = default;

    // The shared controller, made on first use.
    static std::shared_ptr<GADSDKCoreController> sharedInstance();
    // Replaces the shared controller (tests drive slots through their own).
    static void setSharedInstance(std::shared_ptr<GADSDKCoreController> controller);

    // Starts one ad-URL request for the delegate; the delegate hears exactly
    // one answer on a later turn of the main queue. Without a page to ask,
    // the answer is failedJavaScriptFile.
    virtual void buildAdURL(const std::weak_ptr<GADSDKCoreControllerDelegate>& delegate);
};
