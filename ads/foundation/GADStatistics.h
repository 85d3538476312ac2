#pragma once

// Named counters, flags and timings of one owner: the counters and flags in
// a persisted statistics core, the timings in a timing manager.

#include <cstdint>
#include <memory>
#include <string>

#include "ads/foundation/GADStatisticsCore.h"
#include "ads/foundation/GADTimingManager.h"

class GADStatistics {
  public:
    virtual ~GADStatistics() = default;

    std::shared_ptr<GADTiming> timingNamed(const std::string& name) const;
    // Replaces any timing of that name with a new, started one.
    void startTimingNamed(const std::string& name, bool explicitEnd);
    void endTimingNamed(const std::string& name);
    void removeTimingNamed(const std::string& name);

    void incrementParameterCount(const std::string& name);
    void resetParameterCount(const std::string& name);
    // The stored number; 0 when missing.
    std::uint64_t valueForParameter(const std::string& name) const;
    void setFlagWithParameterName(const std::string& name);
    void resetFlagWithParameterName(const std::string& name);

    const std::shared_ptr<GADStatisticsCore>& core() const { return core_; }
    const std::shared_ptr<GADTimingManager>& timingManager() const { return timingManager_; }

  protected:
    GADStatistics(std::shared_ptr<GADStatisticsCore> core,
                  std::shared_ptr<GADTimingManager> timingManager)
        : core_(std::move(core)), timingManager_(std::move(timingManager)) {}

  private:
    std::shared_ptr<GADStatisticsCore> core_;
    std::shared_ptr<GADTimingManager> timingManager_;
};
