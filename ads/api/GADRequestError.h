#pragma once

// The error every ad delegate hears: domain "com.dezuvo.ads", one of fourteen
// codes with a fixed English message, and the user information that goes
// with it (failure reason, underlying error, the request's parameters,
// the HTTP status).

#include <memory>
#include <optional>
#include <string>

#include "ads/foundation/GADErrorCode.h"
#include "platform/foundation/Error.h"
#include "platform/foundation/Value.h"

class GADRequest;

// Keys of the user information.
inline constexpr const char* kGADLocalizedDescriptionKey = "NSLocalizedDescription";
inline constexpr const char* kGADLocalizedFailureReasonErrorKey = "NSLocalizedFailureReason";
inline constexpr const char* kGADHttpStatusKey = "HttpStatus";

class GADRequestError {
  public:
    // "Request Error: " and the code's text; unknown codes take code 0's text.
    static std::string localizedStringForErrorCode(long code);

    // The message is the custom message as it stands, or the code's default
    // message. Code 0 copies the request's parameters into the user
    // information (reading them consumes "_useOnce" extras); a status above 0
    // adds "HttpStatus".
    GADRequestError(long code, const std::shared_ptr<GADRequest>& request, long HTTPStatusCode,
                    const std::optional<std::string>& customMessage,
                    const std::optional<foundation::Error>& underlyingError);

    static GADRequestError errorWithCode(long code, const std::shared_ptr<GADRequest>& request,
                                         long HTTPStatusCode,
                                         const std::optional<std::string>& customMessage,
                                         const std::optional<foundation::Error>& underlyingError);
    static GADRequestError errorWithCode(long code, const std::shared_ptr<GADRequest>& request,
                                         long HTTPStatusCode,
                                         const std::optional<std::string>& customMessage);
    static GADRequestError errorWithCode(long code, const std::shared_ptr<GADRequest>& request,
                                         long HTTPStatusCode);
    static GADRequestError errorWithCode(long code, const std::shared_ptr<GADRequest>& request);
    static GADRequestError errorWithCode(long code);
    static GADRequestError errorWithCode(long code,
                                         const std::optional<std::string>& customMessage);
    static GADRequestError errorWithCode(long code, const foundation::Error& underlyingError);

    const std::string& domain() const { return domain_; }
    long code() const { return code_; }
    // Description and failure reason (both the message), the request's
    // parameters for code 0, and "HttpStatus"; the underlying error is kept
    // apart because the user information holds plain values only.
    const foundation::Dictionary& userInfo() const { return userInfo_; }
    const std::optional<foundation::Error>& underlyingError() const { return underlyingError_; }
    std::string localizedDescription() const;
    std::string localizedFailureReason() const;

    // A plain platform error with the same domain, code and description.
    foundation::Error error() const;

  private:
    std::string domain_ = kGADErrorDomain;
    long code_ = 0;
    foundation::Dictionary userInfo_;
    std::optional<foundation::Error> underlyingError_;
};
