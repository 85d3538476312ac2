#include "platform/foundation/Clock.h"

#include <time.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"

namespace foundation {

namespace {

std::atomic<bool> gManual{false};
std::atomic<std::int64_t> gElapsed{0};
std::atomic<std::int64_t> gMonotonicStart{0};
std::atomic<std::int64_t> gBootStart{0};
std::atomic<double> gWallStart{0.0};

constexpr double kNanosecondsPerSecond = 1e9;

std::int64_t realMonotonicNanoseconds() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t realBootNanoseconds() {
    timespec ts{};
    clock_gettime(CLOCK_BOOTTIME, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

TimeInterval seconds(std::int64_t nanoseconds) {
    return static_cast<double>(nanoseconds) / kNanosecondsPerSecond;
}

}  // namespace

namespace detail {

// Sets the manual clock's elapsed time; used by the main run loop while it
// steps through an advance.
void setManualElapsedNanoseconds(std::int64_t elapsed) {
    gElapsed.store(elapsed);
}

std::int64_t manualMonotonicStartNanoseconds() {
    return gMonotonicStart.load();
}

}  // namespace detail

TimeInterval Clock::wall() {
    if (gManual.load()) {
        return gWallStart.load() + seconds(gElapsed.load());
    }
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

TimeInterval Clock::monotonic() {
    return seconds(monotonicNanoseconds());
}

TimeInterval Clock::boot() {
    if (gManual.load()) {
        return seconds(gBootStart.load() + gElapsed.load());
    }
    return seconds(realBootNanoseconds());
}

std::int64_t Clock::monotonicNanoseconds() {
    if (gManual.load()) {
        return gMonotonicStart.load() + gElapsed.load();
    }
    return realMonotonicNanoseconds();
}

bool Clock::isManual() {
    return gManual.load();
}

std::int64_t Clock::nanosecondsFromSeconds(TimeInterval value) {
    // A century is "never" for any schedule; keeps sums far from overflow.
    constexpr double kLimit = 100.0 * 365 * 24 * 3600;
    if (std::isnan(value)) {
        return 0;
    }
    if (value > kLimit) {
        value = kLimit;
    } else if (value < -kLimit) {
        value = -kLimit;
    }
    return std::llround(value * kNanosecondsPerSecond);
}

ManualClock::ManualClock(TimeInterval wallStart) {
    if (gManual.load()) {
        Log::write("ManualClock", "a manual clock is already installed");
    }
    gMonotonicStart.store(realMonotonicNanoseconds());
    gBootStart.store(realBootNanoseconds());
    gWallStart.store(wallStart);
    gElapsed.store(0);
    gManual.store(true);
}

ManualClock::~ManualClock() {
    RunLoop::main().discardPending();
    gManual.store(false);
}

void ManualClock::advance(TimeInterval secondsToMove) {
    if (!(secondsToMove > 0.0)) {
        RunLoop::main().runUntilIdle();
        return;
    }
    const std::int64_t target =
        gMonotonicStart.load() + gElapsed.load() + Clock::nanosecondsFromSeconds(secondsToMove);
    RunLoop::main().advanceManualClockTo(target);
}

TimeInterval ManualClock::elapsed() const {
    return seconds(gElapsed.load());
}

}  // namespace foundation
