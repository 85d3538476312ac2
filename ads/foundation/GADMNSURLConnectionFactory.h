#pragma once

// The process's connection factory: platform URL connections, unless
// another factory was put in its place.

#include <memory>

#include "ads/foundation/GADMConnectionFactory.h"

class GADMNSURLConnectionFactory : public GADMConnectionFactory {
  public:
    // Made on first use; a factory set before then stays.
    static std::shared_ptr<GADMConnectionFactory> sharedFactory();
    // nullptr puts the platform factory back.
    static void setSharedFactory(std::shared_ptr<GADMConnectionFactory> factory);

    std::shared_ptr<net::URLConnection> connectionWithRequest(
        const net::URLRequest& request,
        const std::shared_ptr<net::URLConnectionDelegate>& delegate) override;
    std::shared_ptr<net::URLConnection> connectionWithRequest(
        const net::URLRequest& request, const std::shared_ptr<net::URLConnectionDelegate>& delegate,
        bool startImmediately) override;
};
