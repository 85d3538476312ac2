#pragma once

// Values kept as keyed archives in the Caches folder, one file per key.

#include <optional>
#include <string>

#include "platform/foundation/Error.h"
#include "platform/foundation/Value.h"

class THCacher {
  public:
    static std::string pathForKey(const std::string& key);
    static bool storeItemsToCache(const foundation::Value& items, const std::string& key);
    // nullopt when there is no archive or it cannot be read.
    static std::optional<foundation::Value> restoreItemsFromCacheWithKey(const std::string& key);
    // False when there is no file, else the deletion's result.
    static bool removeItemsFromCacheWithKey(const std::string& key,
                                            foundation::Error* error = nullptr);
};
