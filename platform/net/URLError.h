#pragma once

// Errors of URL loading, in the platform's URL-loading domain and codes, with
// the URL that failed.

#include <optional>
#include <string>

#include "platform/foundation/Error.h"

namespace net {

inline constexpr const char* URLErrorDomain = "NSURLErrorDomain";

namespace URLErrorCode {
inline constexpr long unknown = -1;
inline constexpr long cancelled = -999;
inline constexpr long badURL = -1000;
inline constexpr long timedOut = -1001;
inline constexpr long unsupportedURL = -1002;
inline constexpr long cannotFindHost = -1003;
inline constexpr long cannotConnectToHost = -1004;
inline constexpr long networkConnectionLost = -1005;
inline constexpr long httpTooManyRedirects = -1007;
inline constexpr long resourceUnavailable = -1008;
inline constexpr long notConnectedToInternet = -1009;
inline constexpr long redirectToNonExistentLocation = -1010;
inline constexpr long badServerResponse = -1011;
inline constexpr long userCancelledAuthentication = -1012;
inline constexpr long cannotDecodeContentData = -1016;
inline constexpr long fileDoesNotExist = -1100;
inline constexpr long secureConnectionFailed = -1200;
inline constexpr long serverCertificateUntrusted = -1202;
inline constexpr long cannotLoadFromNetwork = -2000;
}  // namespace URLErrorCode

struct URLError : foundation::Error {
    // The absolute string of the URL that failed, when there was one.
    std::optional<std::string> failingURLString;

    // An error of the domain with the platform's text for `code`.
    static URLError make(long code, std::optional<std::string> failingURLString = std::nullopt);
    static std::string descriptionForCode(long code);
};

}  // namespace net
