#include "ads/foundation/GADStatisticsCore.h"

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Application.h"

std::shared_ptr<GADStatisticsCore> GADStatisticsCore::make() {
    return std::shared_ptr<GADStatisticsCore>(new GADStatisticsCore);
}

GADStatisticsCore::~GADStatisticsCore() {
    foundation::NotificationCenter::defaultCenter().removeObserver(this);
    savePersistentStatistics();
}

void GADStatisticsCore::setIdentifier(const std::string& identifier) {
    if (identifier_ == identifier) {
        return;
    }
    foundation::NotificationCenter::defaultCenter().removeObserver(this);
    if (identifier_) {
        savePersistentStatistics();
        removeAllObjects();
    }
    identifier_ = identifier;
    userDefaultsKey_ = "dezuvo_stats_" + identifier;
    loadPersistentStatistics();
    std::weak_ptr<GADStatisticsCore> weakSelf = weak_from_this();
    foundation::NotificationCenter::defaultCenter().addObserver(
        shared_from_this(), ui::ApplicationWillTerminateNotification, nullptr,
        [weakSelf](const foundation::Notification&) {
            if (auto self = weakSelf.lock()) {
                self->savePersistentStatistics();
            }
        });
}

void GADStatisticsCore::loadPersistentStatistics() {
    if (!userDefaultsKey_) {
        return;
    }
    std::optional<foundation::Dictionary> stored =
        foundation::UserDefaults::standard().dictionaryForKey(*userDefaultsKey_);
    std::lock_guard lock(lock_);
    if (stored) {
        for (auto& [key, value] : *stored) {
            statistics_[key] = std::move(value);
        }
    }
    stripTransientStats(statistics_);
}

void GADStatisticsCore::savePersistentStatistics() {
    if (!userDefaultsKey_) {
        return;
    }
    foundation::Dictionary copy = statistics();
    stripTransientStats(copy);
    foundation::UserDefaults::standard().setObject(*userDefaultsKey_, foundation::Value(copy));
    foundation::UserDefaults::standard().synchronize();
}

void GADStatisticsCore::stripTransientStats(foundation::Dictionary& statistics) const {
    for (const std::string& key : transientStats_) {
        statistics.erase(key);
    }
}

void GADStatisticsCore::setObject(const foundation::Value& value, const std::string& key,
                                  bool matches) {
    if (!matches) {
        return;
    }
    std::lock_guard lock(lock_);
    statistics_[key] = value;
}

void GADStatisticsCore::setString(const foundation::Value& value, const std::string& key) {
    setObject(value, key, value.isString());
}

void GADStatisticsCore::setNumber(const foundation::Value& value, const std::string& key) {
    setObject(value, key, value.isNumber());
}

void GADStatisticsCore::setDate(const foundation::Value& value, const std::string& key) {
    setObject(value, key, value.isDate());
}

void GADStatisticsCore::setArray(const foundation::Value& value, const std::string& key) {
    setObject(value, key, value.isArray());
}

void GADStatisticsCore::setDictionary(const foundation::Value& value, const std::string& key) {
    setObject(value, key, value.isDictionary());
}

foundation::Value GADStatisticsCore::objectForKey(const std::string& key) const {
    std::lock_guard lock(lock_);
    auto found = statistics_.find(key);
    return found == statistics_.end() ? foundation::Value() : found->second;
}

std::int64_t GADStatisticsCore::addValue(std::int64_t value, const std::string& key) {
    std::lock_guard lock(lock_);
    foundation::Value& stored = statistics_[key];
    std::int64_t sum = stored.integerValue() + value;
    stored = sum;
    return sum;
}

void GADStatisticsCore::appendValue(const foundation::Value& value, const std::string& key) {
    if (value.isNull()) {
        return;
    }
    std::lock_guard lock(lock_);
    auto found = statistics_.find(key);
    if (found == statistics_.end()) {
        statistics_[key] = foundation::Array{value};
    } else if (foundation::Array* array = found->second.asMutableArray()) {
        array->push_back(value);
    }
}

void GADStatisticsCore::removeObjectForKey(const std::string& key) {
    std::lock_guard lock(lock_);
    statistics_.erase(key);
}

void GADStatisticsCore::removeAllObjects() {
    std::lock_guard lock(lock_);
    statistics_.clear();
}

foundation::Dictionary GADStatisticsCore::statistics() const {
    std::lock_guard lock(lock_);
    return statistics_;
}
