#pragma once

// One entry of the ad component's memory cache of responses: the response
// with its body, when it stops being fresh, and the URL the body came from.

#include <optional>

#include "platform/foundation/Data.h"
#include "platform/foundation/Date.h"
#include "platform/foundation/URL.h"
#include "platform/net/CachedURLResponse.h"

class GADCachedURLResponse {
  public:
    GADCachedURLResponse(net::URLResponse response, foundation::Data data,
                         foundation::Date expirationDate,
                         std::optional<foundation::URL> destinationURL);

    const net::CachedURLResponse& cachedURLResponse() const { return cachedURLResponse_; }
    const net::URLResponse& response() const { return cachedURLResponse_.response; }
    const foundation::Data& data() const { return cachedURLResponse_.data; }
    foundation::Date expirationDate() const { return expirationDate_; }
    const std::optional<foundation::URL>& destinationURL() const { return destinationURL_; }

  private:
    net::CachedURLResponse cachedURLResponse_;
    foundation::Date expirationDate_;
    std::optional<foundation::URL> destinationURL_;
};
