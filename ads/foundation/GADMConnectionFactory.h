#pragma once

// Makes the platform connections that the ad component's HTTP loads run on;
// a replaceable seam between the component and the URL-loading layer.

#include <memory>

#include "platform/net/URLConnection.h"
#include "platform/net/URLConnectionDelegate.h"
#include "platform/net/URLRequest.h"

class GADMConnectionFactory {
  public:
    virtual ~GADMConnectionFactory() = default;

    // A connection that starts at once; nullptr when none could be made.
    virtual std::shared_ptr<net::URLConnection> connectionWithRequest(
        const net::URLRequest& request,
        const std::shared_ptr<net::URLConnectionDelegate>& delegate) = 0;
    // One that starts only when told, unless `startImmediately`.
    virtual std::shared_ptr<net::URLConnection> connectionWithRequest(
        const net::URLRequest& request, const std::shared_ptr<net::URLConnectionDelegate>& delegate,
        bool startImmediately) = 0;
};
