#pragma once

// The settings a URL session gives each of its loads.

#include "platform/foundation/Clock.h"
#include "platform/net/HTTPHeaderFields.h"
#include "platform/net/URLCache.h"
#include "platform/net/URLRequest.h"

namespace net {

struct URLSessionConfiguration {
    // Applied to requests that keep the request defaults.
    foundation::TimeInterval timeoutIntervalForRequest = URLRequest::kDefaultTimeoutInterval;
    URLRequestCachePolicy requestCachePolicy = URLRequestCachePolicy::useProtocolCachePolicy;
    // Added to each request that does not set the field itself.
    HTTPHeaderFields httpAdditionalHeaders;
    bool httpShouldSetCookies = true;
    // nullptr: no cache.
    URLCache* urlCache = &URLCache::shared();

    static URLSessionConfiguration defaultSessionConfiguration() { return {}; }
    // Nothing cached, no cookies.
    static URLSessionConfiguration ephemeralSessionConfiguration() {
        URLSessionConfiguration configuration;
        configuration.urlCache = nullptr;
        configuration.httpShouldSetCookies = false;
        return configuration;
    }
};

}  // namespace net
