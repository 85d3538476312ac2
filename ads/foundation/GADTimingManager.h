#pragma once

// A set of stopwatches by category, persisted in the user defaults under
// "dezuvo_timing_<identifier>" and saved when the application terminates.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ads/foundation/GADTiming.h"

class GADTimingManager : public std::enable_shared_from_this<GADTimingManager> {
  public:
    static std::shared_ptr<GADTimingManager> make();
    ~GADTimingManager();
    GADTimingManager(const GADTimingManager&) = delete;
    GADTimingManager& operator=(const GADTimingManager&) = delete;

    const std::optional<std::string>& identifier() const { return identifier_; }
    // Loads the timings stored for the identifier. A different identifier
    // first saves the current timings under the old one, so two ad units
    // never share a store.
    void setIdentifier(const std::string& identifier);
    // "dezuvo_timing_<identifier>"; nullopt without an identifier.
    std::optional<std::string> userDefaultsKey() const;
    void loadPersistentTimings();
    void savePersistentTimings();
    void synchronize() { savePersistentTimings(); }

    // Replaces any timing of the same category; nullptr is ignored.
    void addTiming(const std::shared_ptr<GADTiming>& timing);
    std::shared_ptr<GADTiming> addTimingWithCategory(const std::string& category);
    std::shared_ptr<GADTiming> timingForCategory(const std::string& category) const;
    void removeTiming(const std::shared_ptr<GADTiming>& timing);
    void removeTimingForCategory(const std::string& category);
    void removeTimingsForCategories(const std::vector<std::string>& categories);
    void removeAllTimings() { timings_.clear(); }
    std::vector<std::shared_ptr<GADTiming>> timings() const;
    std::vector<std::string> categories() const;

  private:
    GADTimingManager() = default;

    std::optional<std::string> identifier_;
    std::map<std::string, std::shared_ptr<GADTiming>> timings_;
};
