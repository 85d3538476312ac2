#include "ads/foundation/GADCachedURLResponse.h"

GADCachedURLResponse::GADCachedURLResponse(net::URLResponse response, foundation::Data data,
                                           foundation::Date expirationDate,
                                           std::optional<foundation::URL> destinationURL)
    : cachedURLResponse_{std::move(response), std::move(data)},
      expirationDate_(expirationDate),
      destinationURL_(std::move(destinationURL)) {}
