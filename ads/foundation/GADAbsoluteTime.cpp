#include "ads/foundation/GADAbsoluteTime.h"

#include <mutex>
#include <optional>

#include "platform/foundation/Clock.h"
#include "platform/foundation/ProcessState.h"

namespace {

struct Origin {
    std::mutex mutex;
    std::optional<std::int64_t> nanoseconds;
};

Origin& origin() {
    static Origin* const value = foundation::ProcessState::withReset(
        new Origin(), [](Origin&) { GADAbsoluteTime::reset(); });
    return *value;
}

}  // namespace

std::uint64_t GADAbsoluteTime::absoluteTimeInMilliseconds() {
    std::int64_t now = foundation::Clock::monotonicNanoseconds();
    std::int64_t start = 0;
    {
        std::lock_guard lock(origin().mutex);
        if (!origin().nanoseconds) {
            origin().nanoseconds = now;
        }
        start = *origin().nanoseconds;
    }
    std::int64_t elapsed = now - start;
    // A clock replaced after the first reading may stand before the origin.
    if (elapsed < 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(elapsed / 1000000);
}

void GADAbsoluteTime::reset() {
    std::lock_guard lock(origin().mutex);
    origin().nanoseconds.reset();
}
