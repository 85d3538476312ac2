#pragma once

// A thread-safe key/value cache that may drop entries on its own: when it
// holds more entries than its count limit, the oldest stored ones go first.
// A count limit of 0 means no limit.

#include <cstddef>
#include <list>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

namespace foundation {

template <typename Key, typename Object>
class Cache {
  public:
    std::optional<Object> objectForKey(const Key& key) const {
        std::lock_guard lock(mutex_);
        auto found = entries_.find(key);
        if (found == entries_.end()) {
            return std::nullopt;
        }
        return found->second.first;
    }

    // Stores the object (replacing and renewing an entry of the same key),
    // then drops the oldest entries beyond the count limit.
    void setObject(const Key& key, Object object) {
        std::lock_guard lock(mutex_);
        eraseLocked(key);
        order_.push_back(key);
        entries_.emplace(key, std::make_pair(std::move(object), std::prev(order_.end())));
        trimLocked();
    }

    // The object stored under the key, removed from the cache.
    std::optional<Object> takeObjectForKey(const Key& key) {
        std::lock_guard lock(mutex_);
        auto found = entries_.find(key);
        if (found == entries_.end()) {
            return std::nullopt;
        }
        Object object = std::move(found->second.first);
        eraseLocked(key);
        return object;
    }

    void removeObjectForKey(const Key& key) {
        std::lock_guard lock(mutex_);
        eraseLocked(key);
    }

    void removeAllObjects() {
        std::lock_guard lock(mutex_);
        entries_.clear();
        order_.clear();
    }

    std::size_t count() const {
        std::lock_guard lock(mutex_);
        return entries_.size();
    }

    std::size_t countLimit() const {
        std::lock_guard lock(mutex_);
        return countLimit_;
    }

    void setCountLimit(std::size_t limit) {
        std::lock_guard lock(mutex_);
        countLimit_ = limit;
        trimLocked();
    }

  private:
    void eraseLocked(const Key& key) {
        auto found = entries_.find(key);
        if (found != entries_.end()) {
            order_.erase(found->second.second);
            entries_.erase(found);
        }
    }

    void trimLocked() {
        while (countLimit_ != 0 && entries_.size() > countLimit_) {
            eraseLocked(order_.front());
        }
    }

    mutable std::mutex mutex_;
    std::size_t countLimit_ = 0;
    std::list<Key> order_;
    std::map<Key, std::pair<Object, typename std::list<Key>::iterator>> entries_;
};

}  // namespace foundation
