#pragma once

// What a URL connection tells its delegate, in this order: the request about
// to be sent (first with no redirect response, then once per redirect), the
// response, the data in chunks, and then exactly one of finish or failure.

#include <optional>
#include <string>

#include "platform/foundation/Data.h"
#include "platform/net/AuthChallengeDisposition.h"
#include "platform/net/CachedURLResponse.h"
#include "platform/net/URLError.h"
#include "platform/net/URLRequest.h"
#include "platform/net/URLResponse.h"

namespace net {

class URLConnection;

class URLConnectionDelegate {
  public:
    virtual ~URLConnectionDelegate() = default;

    // connection:willSendRequest:redirectResponse: answers the request to
    // send. For a redirect, nullopt refuses it: the redirect response is then
    // delivered as the final response. For the first request, nullopt cancels
    // the load (it fails as cancelled).
    virtual std::optional<URLRequest> connectionWillSendRequest(
        URLConnection& connection, const URLRequest& request, const URLResponse* redirectResponse) {
        return request;
    }
    // connection:willSendRequestForAuthenticationChallenge: for the server
    // trust of `host`, asked only after its certificate failed the check,
    // which always runs. useCredential trusts that server for this load and
    // sends the request again without the check; any other answer lets the
    // load fail with the certificate error.
    virtual AuthChallengeDisposition connectionDidReceiveServerTrustChallenge(
        URLConnection& connection, const std::string& host) {
        return AuthChallengeDisposition::performDefaultHandling;
    }
    virtual void connectionDidReceiveResponse(URLConnection& connection,
                                              const URLResponse& response) {}
    virtual void connectionDidReceiveData(URLConnection& connection, const foundation::Data& data) {
    }
    virtual void connectionDidFinishLoading(URLConnection& connection) {}
    virtual void connectionDidFailWithError(URLConnection& connection, const URLError& error) {}
    // connection:willCacheResponse: answers what to store; nullopt stores nothing.
    virtual std::optional<CachedURLResponse> connectionWillCacheResponse(
        URLConnection& connection, const CachedURLResponse& cachedResponse) {
        return cachedResponse;
    }
};

}  // namespace net
