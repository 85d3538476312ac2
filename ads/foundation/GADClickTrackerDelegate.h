#pragma once

// What a click tracker tells when its ping ended: the final URL it reached,
// or the failure; or that its background task ran out before either.

#include <optional>

#include "platform/foundation/Error.h"
#include "platform/foundation/URL.h"

class GADClickTracker;

class GADClickTrackerDelegate {
  public:
    virtual ~GADClickTrackerDelegate() = default;

    virtual void trackerDidRedirect(GADClickTracker& tracker,
                                    const std::optional<foundation::URL>& finalURL) {}
    virtual void trackerDidFailWithError(GADClickTracker& tracker,
                                         const std::optional<foundation::Error>& error) {}
    // The ping was stopped unreported: the tracker is idle again.
    virtual void trackerDidExpire(GADClickTracker& tracker) {}
};
