#include "platform/foundation/Date.h"

#include "platform/foundation/Clock.h"

namespace foundation {

// Dates follow the wall clock, so a test's manual clock moves them too.
Date Date::now() { return fromTimeIntervalSince1970(Clock::wall()); }

}  // namespace foundation
