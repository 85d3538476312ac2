#pragma once

// What a URL connection tells its delegate, in this order: the request about
// to be sent (first with no redirect response, then once per redirect), the
// challenges of the server, the response, the data in chunks, and then
// exactly one of finish or failure.

#include <optional>
#include <string>

#include "platform/foundation/Data.h"
#include "platform/net/CachedURLResponse.h"
#include "platform/net/URLAuthenticationChallenge.h"
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
    // connectionShouldUseCredentialStorage: , asked once, at the load's first
    // challenge: whether the credential stored for the protection space is
    // sent first and an accepted credential is stored.
    virtual bool connectionShouldUseCredentialStorage(URLConnection& connection) { return true; }
    // connection:willSendRequestForAuthenticationChallenge: , for an HTTP
    // Basic challenge (a 401 answer) and for the trust of a server whose
    // certificate failed the check, which always runs. A credential for the
    // trust sends the request again without the check; any other answer to a
    // trust challenge lets the load fail with the certificate error. An
    // unanswered Basic challenge delivers the 401 answer as the response.
    virtual AuthChallengeAnswer connectionWillSendRequestForAuthenticationChallenge(
        URLConnection& connection, const URLAuthenticationChallenge& challenge) {
        return {};
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
