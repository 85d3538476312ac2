#pragma once

// The calendar: access is asked for (the answer, a setting, comes on a later
// turn of the main run loop) and saved events are recorded.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/foundation/Error.h"
#include "platform/services/Event.h"

namespace services {

enum class EntityType { event = 0, reminder = 1 };

class EventStore : public std::enable_shared_from_this<EventStore> {
  public:
    using AccessCompletion =
        std::function<void(bool granted, std::optional<foundation::Error> error)>;

    static std::shared_ptr<EventStore> make() { return std::make_shared<EventStore>(); }

    // Whether the user grants access, for every store.
    static void setAccessGranted(bool granted);
    static bool accessGranted();

    void requestAccessToEntityType(EntityType type, AccessCompletion completion);
    // Refused (false, with an error) without access or without a start date.
    bool saveEvent(const Event& event, std::optional<foundation::Error>* error = nullptr);
    const std::vector<Event>& savedEvents() const { return events_; }

  private:
    std::vector<Event> events_;
};

}  // namespace services
