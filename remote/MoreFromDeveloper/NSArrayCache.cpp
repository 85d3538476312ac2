#include "remote/MoreFromDeveloper/NSArrayCache.h"

#include "remote/MoreFromDeveloper/THCacher.h"

namespace NSArrayCache {

foundation::Value initArrayFromCacheWithKey(const std::string& key) {
    auto restored = THCacher::restoreItemsFromCacheWithKey(key);
    return restored && restored->isArray() ? *restored : foundation::Value::array();
}

bool storeArrayToCacheWithKey(const foundation::Value& array, const std::string& key) {
    return THCacher::storeItemsToCache(array, key);
}

bool removeArrayFromCacheWithKey(const std::string& key, foundation::Error* error) {
    return THCacher::removeItemsFromCacheWithKey(key, error);
}

}  // namespace NSArrayCache
