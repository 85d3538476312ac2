#pragma once

// What a URL session asks its delegate; every method is optional.

#include <optional>

#include "platform/net/URLRequest.h"
#include "platform/net/URLResponse.h"

namespace net {

class URLSession;
class URLSessionDataTask;

class URLSessionDelegate {
  public:
    virtual ~URLSessionDelegate() = default;

    // URLSession:task:willPerformHTTPRedirection:newRequest:completionHandler:
    // answers the request to follow; nullopt stops at the redirect response.
    virtual std::optional<URLRequest> willPerformHTTPRedirection(URLSession& session,
                                                                 URLSessionDataTask& task,
                                                                 const URLResponse& response,
                                                                 const URLRequest& newRequest) {
        return newRequest;
    }
};

}  // namespace net
