#pragma once

// Responses kept in memory by URL, for the cache policies of requests: at most
// a number of entries, the oldest dropped first. Thread-safe.

#include <cstddef>
#include <list>
#include <mutex>
#include <optional>
#include <string>

#include "platform/net/CachedURLResponse.h"
#include "platform/net/URLRequest.h"

namespace net {

class URLCache {
  public:
    static constexpr std::size_t kDefaultCapacity = 100;

    explicit URLCache(std::size_t capacity = kDefaultCapacity) : capacity_(capacity) {}

    // The process's cache; lives for the process.
    static URLCache& shared();

    std::optional<CachedURLResponse> cachedResponseForRequest(const URLRequest& request) const;
    void storeCachedResponse(CachedURLResponse cached, const URLRequest& request);
    void removeCachedResponseForRequest(const URLRequest& request);
    void removeAllCachedResponses();
    std::size_t count() const;

    // Whether a stored response may answer a request of the default policy
    // without asking the server: its Cache-Control max-age (or Expires) has
    // not passed, and it is not marked no-cache.
    static bool isFresh(const CachedURLResponse& cached);
    // Whether a finished load may be stored: a GET answered 200 without
    // Cache-Control no-store.
    static bool isStorable(const URLRequest& request, const URLResponse& response);

  private:
    struct Entry {
        std::string key;
        CachedURLResponse cached;
    };

    mutable std::mutex mutex_;
    std::list<Entry> entries_;
    std::size_t capacity_;
};

}  // namespace net
