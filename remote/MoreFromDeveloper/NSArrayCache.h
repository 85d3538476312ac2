#pragma once

// Arrays kept in the archive cache.

#include <string>

#include "platform/foundation/Error.h"
#include "platform/foundation/Value.h"

namespace NSArrayCache {

// An empty array when there is no archive or it holds no array.
foundation::Value initArrayFromCacheWithKey(const std::string& key);
bool storeArrayToCacheWithKey(const foundation::Value& array, const std::string& key);
bool removeArrayFromCacheWithKey(const std::string& key, foundation::Error* error = nullptr);

}  // namespace NSArrayCache
