#include "ads/foundation/GADTimingManager.h"

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"

std::shared_ptr<GADTimingManager> GADTimingManager::make() {
    return std::shared_ptr<GADTimingManager>(new GADTimingManager);
}

GADTimingManager::~GADTimingManager() {
    foundation::NotificationCenter::defaultCenter().removeObserver(this);
    savePersistentTimings();
}

void GADTimingManager::setIdentifier(const std::string& identifier) {
    foundation::NotificationCenter::defaultCenter().removeObserver(this);
    if (identifier_ && *identifier_ != identifier) {
        savePersistentTimings();
        timings_.clear();
    }
    identifier_ = identifier;
    loadPersistentTimings();
    std::weak_ptr<GADTimingManager> weakSelf = weak_from_this();
    foundation::NotificationCenter::defaultCenter().addObserver(
        shared_from_this(), ui::ApplicationWillTerminateNotification, nullptr,
        [weakSelf](const foundation::Notification&) {
            if (auto self = weakSelf.lock()) {
                self->savePersistentTimings();
            }
        });
}

std::optional<std::string> GADTimingManager::userDefaultsKey() const {
    if (!identifier_) {
        return std::nullopt;
    }
    return "dezuvo_timing_" + *identifier_;
}

void GADTimingManager::loadPersistentTimings() {
    std::optional<std::string> key = userDefaultsKey();
    if (!key) {
        return;
    }
    std::optional<foundation::Dictionary> stored =
        foundation::UserDefaults::standard().dictionaryForKey(*key);
    if (!stored) {
        return;
    }
    for (const auto& [category, value] : *stored) {
        if (const foundation::Dictionary* form = value.asDictionary()) {
            timings_[category] = GADTiming::makeWithDictionaryRepresentation(*form);
        }
    }
}

void GADTimingManager::savePersistentTimings() {
    std::optional<std::string> key = userDefaultsKey();
    if (!key) {
        return;
    }
    foundation::Dictionary stored;
    for (const auto& [category, timing] : timings_) {
        stored[category] = timing->dictionaryRepresentation();
    }
    foundation::UserDefaults::standard().setObject(*key, foundation::Value(stored));
    foundation::UserDefaults::standard().synchronize();
}

void GADTimingManager::addTiming(const std::shared_ptr<GADTiming>& timing) {
    if (timing) {
        timings_[timing->category()] = timing;
    }
}

std::shared_ptr<GADTiming> GADTimingManager::addTimingWithCategory(const std::string& category) {
    auto timing = std::make_shared<GADTiming>(category);
    addTiming(timing);
    return timing;
}

std::shared_ptr<GADTiming> GADTimingManager::timingForCategory(const std::string& category) const {
    auto found = timings_.find(category);
    return found == timings_.end() ? nullptr : found->second;
}

void GADTimingManager::removeTiming(const std::shared_ptr<GADTiming>& timing) {
    if (timing) {
        auto found = timings_.find(timing->category());
        if (found != timings_.end() && found->second == timing) {
            timings_.erase(found);
        }
    }
}

void GADTimingManager::removeTimingForCategory(const std::string& category) {
    timings_.erase(category);
}

void GADTimingManager::removeTimingsForCategories(const std::vector<std::string>& categories) {
    for (const std::string& category : categories) {
        timings_.erase(category);
    }
}

std::vector<std::shared_ptr<GADTiming>> GADTimingManager::timings() const {
    std::vector<std::shared_ptr<GADTiming>> all;
    for (const auto& [category, timing] : timings_) {
        all.push_back(timing);
    }
    return all;
}

std::vector<std::string> GADTimingManager::categories() const {
    std::vector<std::string> all;
    for (const auto& [category, timing] : timings_) {
        all.push_back(category);
    }
    return all;
}
