#pragma once

// What a slot offers the SDK-core controller: its request parameters, and the
// four answers of the SDK-core page to one ad-URL request, of which exactly
// one arrives, on the main queue.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Value.h"

class GADAd;

class GADSDKCoreControllerDelegate {
  public:
    virtual ~GADSDKCoreControllerDelegate() = default;

    virtual foundation::Dictionary requestParameters() = 0;
    virtual void setRequestID(const std::string& requestID) = 0;
    // "loadAdURL": the page built an ad URL.
    virtual void loadAdURLWithParameters(const foundation::Dictionary& parameters) = 0;
    // "loadAd": the page answered with a finished ad.
    virtual void loadAd(const std::shared_ptr<GADAd>& ad,
                        const std::optional<foundation::Dictionary>& headers) = 0;
    // "invalidRequest": the page refused the request.
    virtual void invalidJavaScriptRequest() = 0;
    // The SDK-core page could not be loaded.
    virtual void failedJavaScriptFile() = 0;
};
