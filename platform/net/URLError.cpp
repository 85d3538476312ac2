#include "platform/net/URLError.h"

namespace net {

std::string URLError::descriptionForCode(long code) {
    switch (code) {
        case URLErrorCode::cancelled:
            return "cancelled";
        case URLErrorCode::badURL:
            return "bad URL";
        case URLErrorCode::timedOut:
            return "The request timed out.";
        case URLErrorCode::unsupportedURL:
            return "unsupported URL";
        case URLErrorCode::cannotFindHost:
            return "A server with the specified hostname could not be found.";
        case URLErrorCode::cannotConnectToHost:
            return "Could not connect to the server.";
        case URLErrorCode::networkConnectionLost:
            return "The network connection was lost.";
        case URLErrorCode::httpTooManyRedirects:
            return "too many HTTP redirects";
        case URLErrorCode::resourceUnavailable:
            return "resource unavailable";
        case URLErrorCode::notConnectedToInternet:
            return "The Internet connection appears to be offline.";
        case URLErrorCode::redirectToNonExistentLocation:
            return "redirected to nowhere";
        case URLErrorCode::badServerResponse:
            return "bad server response";
        case URLErrorCode::userCancelledAuthentication:
            return "The user cancelled authentication.";
        case URLErrorCode::cannotDecodeContentData:
            return "cannot decode content data";
        case URLErrorCode::fileDoesNotExist:
            return "The requested URL was not found on this server.";
        case URLErrorCode::secureConnectionFailed:
            return "An SSL error has occurred and a secure connection to the server cannot be "
                   "made.";
        case URLErrorCode::serverCertificateUntrusted:
            return "The certificate for this server is invalid.";
        case URLErrorCode::cannotLoadFromNetwork:
            return "The resource is not in the cache and may not be loaded from the network.";
        default:
            return "unknown error";
    }
}

URLError URLError::make(long code, std::optional<std::string> failingURLString) {
    URLError error;
    error.domain = URLErrorDomain;
    error.code = code;
    error.localizedDescription = descriptionForCode(code);
    error.failingURLString = std::move(failingURLString);
    return error;
}

}  // namespace net
