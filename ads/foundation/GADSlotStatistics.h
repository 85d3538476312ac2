#pragma once

// The statistics of one ad slot: how long each mediation adapter ran and how
// it ended, kept per ad unit across restarts of the application until the
// slot clears them.

#include <cstdint>
#include <optional>
#include <string>

#include "ads/foundation/GADStatistics.h"

class GADSlotStatistics : public GADStatistics {
  public:
    GADSlotStatistics();

    const std::optional<std::string>& identifier() const { return identifier_; }
    // The ad unit: the statistics and the "adapter" timing stored for it are
    // loaded and kept from now on.
    void setIdentifier(const std::string& identifier);

    void startTimingAdapter();
    // Ends the "adapter" timing and records its milliseconds and the code.
    void endTimingAdapterWithExitCode(std::int64_t exitCode);
    void resetTimingAdapters();
    // The recorded codes and durations joined with ","; nullopt when none.
    std::optional<std::string> adapterExitCodesParameter() const;
    std::optional<std::string> adapterDurationsParameter() const;

  private:
    std::optional<std::string> identifier_;
};
