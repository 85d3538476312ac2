#pragma once

// The clocks the system reads time from: the wall (date) clock, the monotonic
// clock and the boot clock. Tests install a ManualClock to move all three by
// hand; the run loops schedule on the monotonic clock.

#include <cstdint>

namespace foundation {

// Seconds, with fraction.
using TimeInterval = double;

class Clock {
  public:
    // Seconds since 1970-01-01 00:00:00 UTC.
    static TimeInterval wall();
    // Seconds since an arbitrary origin; never goes back.
    static TimeInterval monotonic();
    // Seconds since the machine started, time asleep included.
    static TimeInterval boot();

    // The monotonic clock in whole nanoseconds; what timers are scheduled on,
    // so that sums of delays compare exactly.
    static std::int64_t monotonicNanoseconds();
    // True while a ManualClock is installed.
    static bool isManual();

    static std::int64_t nanosecondsFromSeconds(TimeInterval seconds);
};

// Replaces the process clocks while it lives: time stands still until
// advance() moves it. The wall clock starts at `wallStart`; the monotonic and
// boot clocks go on from their real readings, so what was scheduled before
// keeps its place. When it goes, the main run loop drops what is still
// pending, so nothing scheduled on manual time fires later at a real time.
// One at a time; create it, advance it and destroy it on the main thread.
class ManualClock {
  public:
    static constexpr TimeInterval kDefaultWallStart = 1700000000.0;  // 2023-11-14 22:13:20 UTC

    explicit ManualClock(TimeInterval wallStart = kDefaultWallStart);
    ~ManualClock();
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;

    // Moves time on by `seconds`, firing on the main run loop what falls due
    // on the way, each at its own deadline, in deadline order (equal deadlines
    // in the order they were scheduled). Work that this schedules within the
    // span fires too. A negative span does nothing.
    void advance(TimeInterval seconds);

    // Seconds moved since installation.
    TimeInterval elapsed() const;
};

}  // namespace foundation
