#pragma once

// The memory level of the image cache: keys to images with a cost, evicting
// the oldest entries beyond a total cost or a count (0: no limit), and
// emptying itself on a memory warning. Safe from any thread.

#include <cstddef>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/foundation/NotificationCenter.h"
#include "platform/graphics/Image.h"

class AutoPurgeCache {
  public:
    explicit AutoPurgeCache(std::string name);
    ~AutoPurgeCache();
    AutoPurgeCache(const AutoPurgeCache&) = delete;
    AutoPurgeCache& operator=(const AutoPurgeCache&) = delete;

    const std::string& name() const { return name_; }
    graphics::Image::Ptr objectForKey(const std::string& key) const;
    void setObject(graphics::Image::Ptr image, const std::string& key, std::size_t cost);
    void removeObjectForKey(const std::string& key);
    void removeAllObjects();

    std::size_t totalCostLimit() const;
    void setTotalCostLimit(std::size_t limit);
    std::size_t countLimit() const;
    void setCountLimit(std::size_t limit);
    std::size_t count() const;

  private:
    struct Entry {
        graphics::Image::Ptr image;
        std::size_t cost = 0;
        std::list<std::string>::iterator age;
    };
    void evict();
    void remove(std::map<std::string, Entry>::iterator it);

    std::string name_;
    mutable std::mutex mutex_;
    std::map<std::string, Entry> entries_;
    std::list<std::string> ages_;  // oldest first
    std::size_t totalCost_ = 0;
    std::size_t totalCostLimit_ = 0;
    std::size_t countLimit_ = 0;
    foundation::NotificationCenter::ObserverToken memoryWarning_;
};
