#pragma once

// A calendar event: title, notes, location and start and end dates (either
// may be missing).

#include <optional>
#include <string>

#include "platform/foundation/Date.h"

namespace services {

struct Event {
    std::string title;
    std::string notes;
    std::string location;
    std::optional<foundation::Date> startDate;
    std::optional<foundation::Date> endDate;
    bool allDay = false;
};

}  // namespace services
