#pragma once

// Hears the SDK-core page's answers, on the main queue: an ad URL, a finished
// ad, a refused request (an answer that cannot be read counts as one), and
// the SDK constants.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Value.h"

class GADAd;
class GADSDKCoreGMSGHandler;

class GADSDKCoreGMSGHandlerDelegate {
  public:
    virtual ~GADSDKCoreGMSGHandlerDelegate() = default;
    virtual void SDKCoreGMSGHandlerLoadAdParameters(GADSDKCoreGMSGHandler& handler,
                                                    const foundation::Dictionary& parameters,
                                                    const std::string& requestID) = 0;
    virtual void SDKCoreGMSGHandlerLoadAd(GADSDKCoreGMSGHandler& handler,
                                          const std::shared_ptr<GADAd>& ad,
                                          const std::optional<foundation::Dictionary>& headers,
                                          const std::string& requestID) = 0;
    virtual void SDKCoreGMSGHandlerLoadSDKConstants(GADSDKCoreGMSGHandler& handler,
                                                    const foundation::Dictionary& constants) = 0;
    virtual void SDKCoreGMSGHandlerDidReceiveInvalidAdParameters(
        GADSDKCoreGMSGHandler& handler, const foundation::Dictionary& parameters,
        const std::string& requestID) = 0;
};
