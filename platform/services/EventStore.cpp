#include "platform/services/EventStore.h"

#include "platform/foundation/ProcessState.h"
#include "platform/foundation/RunLoop.h"

namespace services {

namespace {

bool& granted() {
    static bool* const value =
        foundation::ProcessState::withReset(new bool(true), [](auto& state) { state = true; });
    return *value;
}

}  // namespace

void EventStore::setAccessGranted(bool value) {
    granted() = value;
}

bool EventStore::accessGranted() {
    return granted();
}

void EventStore::requestAccessToEntityType(EntityType, AccessCompletion completion) {
    bool answer = granted();
    foundation::RunLoop::main().perform([completion, answer] {
        if (completion) {
            completion(answer, std::nullopt);
        }
    });
}

bool EventStore::saveEvent(const Event& event, std::optional<foundation::Error>* error) {
    if (!granted() || !event.startDate) {
        if (error) {
            *error = foundation::Error{
                "EKErrorDomain", granted() ? 3 : 29,
                granted() ? "The event has no start date." : "No access to the calendar."};
        }
        return false;
    }
    events_.push_back(event);
    return true;
}

}  // namespace services
