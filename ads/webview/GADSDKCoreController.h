#pragma once

// Turns a slot's request into an ad URL through the hidden SDK-core page of
// the ad vendor, and routes the page's answer back to the slot.

#include <memory>
#include <optional>

#include "ads/webview/GADActiveViewSDKCoreWebView.h"
#include "ads/webview/GADSDKCoreControllerDelegate.h"
#include "platform/foundation/Value.h"

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

    // Viewability. The sampling schedule of the slots' monitors (seconds),
    // from the SDK constants; none, and so no monitor, until they give one.
    virtual std::optional<foundation::Array> activeViewMonitorRefreshIntervals() const {
        return std::nullopt;
    }
    // A new SDK-core page, already loading, for one slot's viewability
    // reports; the caller owns it. None while the controller has no page.
    virtual std::shared_ptr<GADActiveViewSDKCoreWebView> nextSDKCoreWebView() { return nullptr; }
    // The slot is done with the page; it may still send its last pings.
    virtual void finishedUsingSDKCoreWebView(
        const std::shared_ptr<GADActiveViewSDKCoreWebView>& webView) {}
};
