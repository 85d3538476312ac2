#pragma once

// Typed statistics of one owner, persisted in the user defaults under
// "dezuvo_stats_<identifier>" once an identifier is set: loaded then, saved
// when the application terminates, on `synchronize` and when the object
// goes. Adding to a number and appending to an array are safe from any
// thread; the rest belongs to the owner's thread.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"

class GADStatisticsCore : public std::enable_shared_from_this<GADStatisticsCore> {
  public:
    static std::shared_ptr<GADStatisticsCore> make();
    ~GADStatisticsCore();
    GADStatisticsCore(const GADStatisticsCore&) = delete;
    GADStatisticsCore& operator=(const GADStatisticsCore&) = delete;

    const std::optional<std::string>& identifier() const { return identifier_; }
    // An equal identifier changes nothing. A different one first saves the
    // statistics under the old key and forgets them, then loads those stored
    // for the new one, so two owners never share a store.
    void setIdentifier(const std::string& identifier);
    // "dezuvo_stats_<identifier>"; nullopt without an identifier.
    const std::optional<std::string>& userDefaultsKey() const { return userDefaultsKey_; }
    void setUserDefaultsKey(std::optional<std::string> key) { userDefaultsKey_ = std::move(key); }
    // Keys that are never saved and are dropped on load.
    const std::vector<std::string>& transientStats() const { return transientStats_; }
    void setTransientStats(std::vector<std::string> keys) { transientStats_ = std::move(keys); }

    // Stored values replace current ones with the same key.
    void loadPersistentStatistics();
    void savePersistentStatistics();
    void synchronize() { savePersistentStatistics(); }

    // Each stores the value only when it is of the setter's type.
    void setString(const foundation::Value& value, const std::string& key);
    void setNumber(const foundation::Value& value, const std::string& key);
    void setDate(const foundation::Value& value, const std::string& key);
    void setArray(const foundation::Value& value, const std::string& key);
    void setDictionary(const foundation::Value& value, const std::string& key);
    // The stored value as it is; null when missing.
    foundation::Value objectForKey(const std::string& key) const;
    // The stored integer (missing counts 0) plus `value`, stored and answered.
    std::int64_t addValue(std::int64_t value, const std::string& key);
    // Appends to the array under the key (made when missing); a value of
    // another type is left alone.
    void appendValue(const foundation::Value& value, const std::string& key);
    void removeObjectForKey(const std::string& key);
    void removeAllObjects();
    foundation::Dictionary statistics() const;

  private:
    GADStatisticsCore() = default;
    void setObject(const foundation::Value& value, const std::string& key, bool matches);
    void stripTransientStats(foundation::Dictionary& statistics) const;

    mutable std::mutex lock_;
    foundation::Dictionary statistics_;
    std::optional<std::string> identifier_;
    std::optional<std::string> userDefaultsKey_;
    std::vector<std::string> transientStats_;
};
