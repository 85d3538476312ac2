#pragma once

// What the owner of an image prefetcher hears: each URL whose load ended and
// the end of the whole list.

#include <cstdint>

#include "platform/foundation/URL.h"

class SDWebImagePrefetcher;

class SDWebImagePrefetcherDelegate {
  public:
    virtual ~SDWebImagePrefetcherDelegate() = default;
    virtual void imagePrefetcherDidPrefetchURL(SDWebImagePrefetcher& prefetcher,
                                               const foundation::URL& url,
                                               std::uint64_t finishedCount,
                                               std::uint64_t totalCount) {}
    // totalCount counts the URLs whose image came.
    virtual void imagePrefetcherDidFinish(SDWebImagePrefetcher& prefetcher,
                                          std::uint64_t totalCount, std::uint64_t skippedCount) {}
};
