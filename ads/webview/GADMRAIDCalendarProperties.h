#pragma once

// The parsed parameters of an MRAID ad's calendar-event message.

#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/Date.h"
#include "platform/foundation/Value.h"

class GADMRAIDCalendarProperties {
  public:
    // initWithDictionary: ; nullptr unless "start", "end", "summary",
    // "description" and "location" are all present. Dates in the form
    // "yyyy-MM-dd'T'HH:mm:ssZZZZZ" (POSIX locale); a date in another form is
    // nullopt, the record is still made.
    static std::shared_ptr<GADMRAIDCalendarProperties> make(
        const foundation::Dictionary& dictionary);

    const std::optional<foundation::Date>& startTime() const { return startTime_; }
    const std::optional<foundation::Date>& endTime() const { return endTime_; }
    const std::string& summary() const { return summary_; }
    const std::string& eventDescription() const { return eventDescription_; }
    const std::string& location() const { return location_; }

  private:
    std::optional<foundation::Date> startTime_;
    std::optional<foundation::Date> endTime_;
    std::string summary_;
    std::string eventDescription_;
    std::string location_;
};
