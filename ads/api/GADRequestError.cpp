#include "ads/api/GADRequestError.h"

#include <cstdio>
#include <mutex>

#include "ads/api/GADRequest.h"
#include "ads/foundation/GADDevice.h"
#include "platform/net/URLResponse.h"

namespace {

const char* const kCodeTexts[] = {
    "Invalid ad request parameter(s). Check the Xcode console for details.",
    "No ad to show.",
    "A network error occurred.",
    "Server error processing the request.",
    nullptr,  // code 4 names the device's OS version, see osVersionText()
    "The Dezuvo Ad request was unable to be fulfilled before a timeout occurred.",
    "Will not send request because interstitial object has been used.",
    "The mediation response was invalid.",
    "Cannot find an ad network adapter for mediation.",
    "No ad to show from all configured ad networks.",
    "Incompatible ad type requested.",
    "Internal error.",
    "Invalid argument.",
    "Received invalid response.",
};

// Code 4's text, built once from the device's version.
const std::string& osVersionText() {
    static std::once_flag once;
    static std::string text;
    std::call_once(once, [] {
        std::int64_t major = 0;
        std::int64_t minor = 0;
        std::int64_t bugFix = 0;
        GADDevice::currentDevice().getOSMajor(&major, &minor, &bugFix);
        char buffer[256];
        std::snprintf(buffer, sizeof buffer,
                      "This device's OS is %ld.%ld.%ld.It is below the minimum of %ld.%ld.",
                      static_cast<long>(major), static_cast<long>(minor), static_cast<long>(bugFix),
                      5L, 0L);
        text = buffer;
    });
    return text;
}

std::string codeText(long code) {
    if (code == kGADErrorOSVersionTooLow) {
        return osVersionText();
    }
    if (code < 0 || code >= static_cast<long>(std::size(kCodeTexts))) {
        return kCodeTexts[0];
    }
    return kCodeTexts[code];
}

}  // namespace

std::string GADRequestError::localizedStringForErrorCode(long code) {
    return "Request Error: " + codeText(code);
}

GADRequestError::GADRequestError(long code, const std::shared_ptr<GADRequest>& request,
                                 long HTTPStatusCode,
                                 const std::optional<std::string>& customMessage,
                                 const std::optional<foundation::Error>& underlyingError)
    : code_(code), underlyingError_(underlyingError) {
    std::string message = customMessage ? *customMessage : localizedStringForErrorCode(code);
    if (code == kGADErrorInvalidRequest && request) {
        for (auto& [key, value] : request->parameters()) {
            userInfo_[key] = value;
        }
    }
    userInfo_[kGADLocalizedDescriptionKey] = message;
    userInfo_[kGADLocalizedFailureReasonErrorKey] = message;
    if (HTTPStatusCode > 0) {
        userInfo_[kGADHttpStatusKey] =
            "HTTP status " + std::to_string(HTTPStatusCode) + ": " +
            net::URLResponse::localizedStringForStatusCode(HTTPStatusCode);
    }
}

GADRequestError GADRequestError::errorWithCode(
    long code, const std::shared_ptr<GADRequest>& request, long HTTPStatusCode,
    const std::optional<std::string>& customMessage,
    const std::optional<foundation::Error>& underlyingError) {
    return GADRequestError(code, request, HTTPStatusCode, customMessage, underlyingError);
}

GADRequestError GADRequestError::errorWithCode(long code,
                                               const std::shared_ptr<GADRequest>& request,
                                               long HTTPStatusCode,
                                               const std::optional<std::string>& customMessage) {
    return GADRequestError(code, request, HTTPStatusCode, customMessage, std::nullopt);
}

GADRequestError GADRequestError::errorWithCode(long code,
                                               const std::shared_ptr<GADRequest>& request,
                                               long HTTPStatusCode) {
    return GADRequestError(code, request, HTTPStatusCode, std::nullopt, std::nullopt);
}

GADRequestError GADRequestError::errorWithCode(long code,
                                               const std::shared_ptr<GADRequest>& request) {
    return GADRequestError(code, request, 0, std::nullopt, std::nullopt);
}

GADRequestError GADRequestError::errorWithCode(long code) {
    return errorWithCode(code, std::optional<std::string>());
}

GADRequestError GADRequestError::errorWithCode(long code,
                                               const std::optional<std::string>& customMessage) {
    return GADRequestError(code, nullptr, 0, customMessage, std::nullopt);
}

GADRequestError GADRequestError::errorWithCode(long code,
                                               const foundation::Error& underlyingError) {
    return GADRequestError(code, nullptr, 0, underlyingError.localizedDescription, underlyingError);
}

std::string GADRequestError::localizedDescription() const {
    auto found = userInfo_.find(kGADLocalizedDescriptionKey);
    return found == userInfo_.end() ? "" : found->second.stringValue();
}

std::string GADRequestError::localizedFailureReason() const {
    auto found = userInfo_.find(kGADLocalizedFailureReasonErrorKey);
    return found == userInfo_.end() ? "" : found->second.stringValue();
}

foundation::Error GADRequestError::error() const {
    return foundation::Error{domain_, code_, localizedDescription()};
}
