#pragma once

// A timer on a run loop: fires once or repeatedly until invalidated. The run
// loop keeps a scheduled timer alive; its owner may hold it weakly.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/foundation/Clock.h"

namespace foundation {

class RunLoop;
struct RunLoopState;

class Timer : public std::enable_shared_from_this<Timer> {
  public:
    using Callback = std::function<void(Timer&)>;

    // timerWithTimeInterval:repeats: : a timer that is not scheduled yet
    // (RunLoop::addTimer schedules it). A repeating interval below 0.1 ms is
    // taken as 0.1 ms; an interval of zero or less on a one-shot timer fires
    // on the next pass of the loop.
    static std::shared_ptr<Timer> make(TimeInterval interval, bool repeats, Callback callback);
    // scheduledTimerWithTimeInterval:repeats: : scheduled on the calling
    // thread's run loop.
    static std::shared_ptr<Timer> scheduled(TimeInterval interval, bool repeats, Callback callback);

    // Stops the timer for good and releases its callback. Safe from any
    // thread and from inside its own callback.
    void invalidate();
    bool isValid() const { return valid_.load(); }

    TimeInterval timeInterval() const { return interval_; }
    bool repeats() const { return repeats_; }
    // When the timer fires next, on the monotonic clock (0 when not scheduled).
    TimeInterval fireDate() const;

    // Fires now, outside the schedule; a one-shot timer is then invalidated.
    void fire();

    // Delayed performs carry their owner and tag for cancellation.
    const void* owner() const { return owner_; }
    const std::string& tag() const { return tag_; }

    Timer(TimeInterval interval, bool repeats, Callback callback, const void* owner,
          std::string tag);

  private:
    friend class RunLoop;

    std::shared_ptr<Callback> callback() const;

    TimeInterval interval_;
    bool repeats_;
    std::shared_ptr<Callback> callback_;  // guarded by callbackMutex_
    mutable std::mutex callbackMutex_;
    const void* owner_;
    std::string tag_;
    std::atomic<bool> valid_{true};
    // Schedule, guarded by the loop's mutex.
    std::weak_ptr<RunLoopState> loop_;
    std::int64_t deadline_ = 0;
    std::uint64_t sequence_ = 0;
    bool scheduled_ = false;
};

}  // namespace foundation
