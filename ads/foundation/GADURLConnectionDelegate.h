#pragma once

// What a GADURLConnection tells the code that started it, on the main thread:
// whether to follow a redirect, that one was followed, whether the response
// may be answered from and stored in the memory cache, a response taken from
// that cache, and then one outcome: the body as text, or a failure.

#include <optional>
#include <string>

#include "platform/foundation/Error.h"
#include "platform/foundation/URL.h"
#include "platform/net/URLResponse.h"

class GADURLConnection;

class GADURLConnectionDelegate {
  public:
    virtual ~GADURLConnectionDelegate() = default;

    // An error refuses the redirect to `url`; nullopt follows it.
    virtual std::optional<foundation::Error> connectionShouldRedirectToURL(
        GADURLConnection& connection, const foundation::URL& url) = 0;
    virtual void connectionLoadDidReceiveRedirectResponse(GADURLConnection& connection,
                                                          const net::URLResponse& response) = 0;
    // True allows the memory cache for this load.
    virtual bool connectionLoadShouldUseCachedResponse(GADURLConnection& connection,
                                                       const net::URLResponse& response) = 0;
    virtual void connectionLoadDidReceiveCachedResponse(GADURLConnection& connection,
                                                        const net::URLResponse& response) = 0;
    // The body decoded as UTF-8 (nullopt when it is not UTF-8) and the URL
    // it came from after redirects.
    virtual void connectionLoadDidFinish(GADURLConnection& connection,
                                         const std::optional<std::string>& body,
                                         const std::optional<foundation::URL>& baseURL) = 0;
    // The status of the last HTTP response, or -1 when there was none.
    virtual void connectionLoadDidFail(GADURLConnection& connection,
                                       const std::optional<foundation::Error>& error,
                                       long httpStatusCode) = 0;
};
