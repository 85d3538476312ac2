#pragma once

// A thread's loop of timers, delayed performs and posted blocks, run one at a
// time on that thread. The main run loop belongs to the main thread; it
// carries the main dispatch queue and the main operation queue, and reads
// time from the clock that tests replace with a ManualClock.
//
// Order: everything waits in one schedule ordered by due time, then by the
// order it was added. A block posted with perform() is due now, so it runs
// after what is already due and before anything due later.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/foundation/Clock.h"
#include "platform/foundation/TaskQueue.h"
#include "platform/foundation/Timer.h"

namespace foundation {

struct RunLoopState;

class RunLoop {
  public:
    using Task = std::function<void()>;

    // The main thread's loop; lives for the process.
    static RunLoop& main();
    // The calling thread's loop (the main loop on the main thread), made on
    // first use and gone with the thread.
    static RunLoop& current();

    ~RunLoop();
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    bool isMain() const;

    // Runs `task` on a later turn of the loop, after what is already due.
    // Safe from any thread.
    void perform(Task task);

    // performSelector:withObject:afterDelay: : runs `task` once after `delay`
    // seconds (zero: on the next turn). `owner` and `tag` (the selector's
    // words, with the argument when it matters) let cancelPerforms find it.
    // The returned timer cancels it alone. A task that captures its target
    // strongly keeps it alive until the call, as the platform's perform does.
    std::shared_ptr<Timer> performAfter(TimeInterval delay, Task task, const void* owner = nullptr,
                                        std::string tag = {});
    // This loop as a task queue (scheduleInRunLoop:forMode:): blocks handed
    // to it run on this loop's thread as perform() would run them. The queue
    // may outlive the loop; what it is handed after the loop's thread ended
    // is dropped.
    std::shared_ptr<TaskQueue> taskQueue() const;

    // cancelPreviousPerformRequestsWithTarget: : cancels every pending
    // delayed perform of `owner`.
    void cancelPerforms(const void* owner);
    // cancelPreviousPerformRequestsWithTarget:selector:object: : only those
    // with `tag`.
    void cancelPerforms(const void* owner, std::string_view tag);

    // addTimer:forMode: : schedules `timer` to fire first after its interval.
    // A timer lives on one loop; adding it again does nothing.
    void addTimer(const std::shared_ptr<Timer>& timer);

    // The loop is run only on its own thread; elsewhere these log and return.
    //
    // Runs the loop until `condition` holds, checked before the first item
    // and after each one, waiting for work meanwhile; gives up after
    // `timeout` seconds of real time (with a ManualClock installed, timers
    // still fire only as it is advanced). Answers the last value of the
    // condition.
    bool runUntil(const std::function<bool()>& condition, TimeInterval timeout);
    // Runs the loop for `seconds` of real time.
    void runFor(TimeInterval seconds);
    // Runs what is due now, and what that posts for now, without waiting.
    // Answers the number of items run.
    std::size_t runUntilIdle();
    // Runs until stop() is called (from any thread or from inside the loop).
    void run();
    // Ends the innermost run()/runUntil() of this loop after the current item.
    void stop();

    // Number of timers, performs and blocks waiting (valid ones).
    std::size_t pendingCount() const;
    // Monotonic time in seconds of the earliest pending item; 0 when none.
    TimeInterval nextFireDate() const;
    // The same, repeating timers left out: the earliest work that ends
    // (a delayed perform, a one-shot timer, a posted block); 0 when none.
    // An animation that repeats forever does not keep a loop busy.
    TimeInterval nextOneShotFireDate() const;

  private:
    friend class ManualClock;
    friend class Timer;
    friend class RunLoopTaskQueue;

    explicit RunLoop(bool isMain);
    // Schedules `timer` at `deadline` (monotonic nanoseconds).
    void schedule(const std::shared_ptr<Timer>& timer, std::int64_t deadline);
    static void schedule(const std::shared_ptr<RunLoopState>& state,
                         const std::shared_ptr<Timer>& timer, std::int64_t deadline);
    // Runs items one by one while they are due at the current clock reading
    // and `condition` (when given) is false; a pending stop() ends it when
    // `honourStop`. Answers how many ran.
    std::size_t runDue(const std::function<bool()>* condition, bool* conditionMet, bool honourStop);
    void fireTimer(const std::shared_ptr<Timer>& timer);
    // Takes `timer` off whatever loop it is scheduled on.
    static void unschedule(Timer& timer);
    // Drops everything pending (the ManualClock's end).
    void discardPending();
    bool onOwnThread() const;
    // Fires what falls due up to `target` nanoseconds of manual time.
    void advanceManualClockTo(std::int64_t target);

    std::shared_ptr<RunLoopState> state_;
};

}  // namespace foundation
