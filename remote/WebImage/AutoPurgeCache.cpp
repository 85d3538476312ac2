#include "remote/WebImage/AutoPurgeCache.h"

#include "platform/ui/Application.h"

AutoPurgeCache::AutoPurgeCache(std::string name) : name_(std::move(name)) {
    memoryWarning_ = foundation::NotificationCenter::defaultCenter().addObserver(
        ui::ApplicationDidReceiveMemoryWarningNotification, nullptr, nullptr,
        [this](const foundation::Notification&) { removeAllObjects(); });
}

AutoPurgeCache::~AutoPurgeCache() {
    foundation::NotificationCenter::defaultCenter().removeObserver(memoryWarning_);
}

graphics::Image::Ptr AutoPurgeCache::objectForKey(const std::string& key) const {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : it->second.image;
}

void AutoPurgeCache::setObject(graphics::Image::Ptr image, const std::string& key,
                               std::size_t cost) {
    if (!image) {
        removeObjectForKey(key);
        return;
    }
    std::lock_guard lock(mutex_);
    if (auto it = entries_.find(key); it != entries_.end()) {
        remove(it);
    }
    ages_.push_back(key);
    entries_.emplace(key, Entry{std::move(image), cost, std::prev(ages_.end())});
    totalCost_ += cost;
    evict();
}

void AutoPurgeCache::removeObjectForKey(const std::string& key) {
    std::lock_guard lock(mutex_);
    if (auto it = entries_.find(key); it != entries_.end()) {
        remove(it);
    }
}

void AutoPurgeCache::removeAllObjects() {
    std::lock_guard lock(mutex_);
    entries_.clear();
    ages_.clear();
    totalCost_ = 0;
}

std::size_t AutoPurgeCache::totalCostLimit() const {
    std::lock_guard lock(mutex_);
    return totalCostLimit_;
}

void AutoPurgeCache::setTotalCostLimit(std::size_t limit) {
    std::lock_guard lock(mutex_);
    totalCostLimit_ = limit;
    evict();
}

std::size_t AutoPurgeCache::countLimit() const {
    std::lock_guard lock(mutex_);
    return countLimit_;
}

void AutoPurgeCache::setCountLimit(std::size_t limit) {
    std::lock_guard lock(mutex_);
    countLimit_ = limit;
    evict();
}

std::size_t AutoPurgeCache::count() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

void AutoPurgeCache::evict() {
    while (!ages_.empty() && ((countLimit_ > 0 && entries_.size() > countLimit_) ||
                              (totalCostLimit_ > 0 && totalCost_ > totalCostLimit_))) {
        remove(entries_.find(ages_.front()));
    }
}

void AutoPurgeCache::remove(std::map<std::string, Entry>::iterator it) {
    totalCost_ -= it->second.cost;
    ages_.erase(it->second.age);
    entries_.erase(it);
}
