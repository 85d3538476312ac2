#pragma once

// A response with its body as a cache keeps it, and the time it was stored.

#include "platform/foundation/Clock.h"
#include "platform/foundation/Data.h"
#include "platform/net/URLResponse.h"

namespace net {

struct CachedURLResponse {
    URLResponse response;
    foundation::Data data;
    // Wall-clock seconds when it was stored (set by the cache).
    foundation::TimeInterval storedAt = 0;
};

}  // namespace net
