#include "remote/MoreFromDeveloper/THCacher.h"

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/KeyedArchiver.h"
#include "platform/foundation/PathUtilities.h"

std::string THCacher::pathForKey(const std::string& key) {
    return foundation::appendingPathComponent(foundation::ApplicationHome::caches(), key);
}

bool THCacher::storeItemsToCache(const foundation::Value& items, const std::string& key) {
    return foundation::KeyedArchiver::archiveRootObject(items, pathForKey(key));
}

std::optional<foundation::Value> THCacher::restoreItemsFromCacheWithKey(const std::string& key) {
    return foundation::KeyedArchiver::unarchiveObjectWithFile(pathForKey(key));
}

bool THCacher::removeItemsFromCacheWithKey(const std::string& key, foundation::Error* error) {
    const std::string path = pathForKey(key);
    auto& files = foundation::FileManager::defaultManager();
    if (!files.fileExists(path)) {
        return false;
    }
    return files.removeItem(path, error);
}
