#include "ads/foundation/GADAbsoluteTime.h"

#include <mutex>

#include "platform/foundation/Clock.h"

std::uint64_t GADAbsoluteTime::absoluteTimeInMilliseconds() {
    static std::once_flag once;
    static std::int64_t origin = 0;
    std::call_once(once, [] { origin = foundation::Clock::monotonicNanoseconds(); });
    std::int64_t elapsed = foundation::Clock::monotonicNanoseconds() - origin;
    // A clock replaced after the first reading may stand before the origin.
    if (elapsed < 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(elapsed / 1000000);
}
