#pragma once

// What a slot offers the SDK-core controller: its request parameters, and the
// answers to one ad-URL request, of which exactly one arrives, on the main
// queue.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Value.h"

class GADAd;

class GADSDKCoreControllerDelegate {
  public:
    virtual ~GADSDKCoreControllerDelegate() = default;

    // Asked on the main thread, after setRequestID.
    virtual foundation::Dictionary requestParameters() = 0;
    virtual void setRequestID(const std::string& requestID) = 0;
    // "loadAdURL": the page built an ad URL.
    virtual void loadAdURLWithParameters(const foundation::Dictionary& parameters) = 0;
    // "loadAd": the page answered with a finished ad.
    virtual void loadAd(const std::shared_ptr<GADAd>& ad,
                        const std::optional<foundation::Dictionary>& headers) = 0;
    // "invalidRequest": the page refused the request, or it could not be
    // asked (no parameters) or its answer could not be read.
    virtual void invalidJavaScriptRequest() = 0;
    // The SDK-core page could not be loaded, or was reloaded before it
    // answered.
    virtual void failedJavaScriptFile() = 0;
    // The page did not answer in time.
    virtual void javaScriptRequestTimedOut() = 0;
};
