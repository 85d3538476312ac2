#pragma once

// The mediation pings of the click-tracker collection: every template of a
// list (or the built-in one when the response gave none) filled with the
// values of one ping and tracked.

#include <optional>
#include <string>

#include "ads/foundation/GADClickTrackerCollection.h"
#include "platform/foundation/Value.h"

namespace GADClickTrackerCollectionMediation {

// A missing list uses the default template alone; an empty list pings
// nothing. Each string gets the session and a sequence number of its own;
// other elements are skipped.
void trackMediationURLsFromTemplates(
    GADClickTrackerCollection& collection, const std::optional<foundation::Array>& templates,
    const std::optional<std::string>& defaultTemplate, const std::optional<std::string>& networkID,
    const std::optional<std::string>& allocationID, const std::optional<std::string>& qData,
    const std::optional<std::string>& appKey, bool refresh,
    const std::optional<std::string>& durations, const std::optional<std::string>& exitCodes);

}  // namespace GADClickTrackerCollectionMediation
