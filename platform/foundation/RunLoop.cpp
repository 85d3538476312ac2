#include "platform/foundation/RunLoop.h"
#include "platform/foundation/RunLoopTaskQueue.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/foundation/Log.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/RunLoopState.h"
#include "platform/foundation/Thread.h"

namespace foundation {

namespace detail {
void setManualElapsedNanoseconds(std::int64_t elapsed);
std::int64_t manualMonotonicStartNanoseconds();
}  // namespace detail

namespace {

// With a manual clock a loop off the main thread cannot see advance() coming,
// so it looks again this often.
constexpr auto kManualPoll = std::chrono::milliseconds(10);

// How often runUntil looks at its condition while nothing arrives.
constexpr auto kConditionPoll = std::chrono::milliseconds(5);

thread_local std::unique_ptr<RunLoop> tlsLoop;

std::chrono::steady_clock::time_point realDeadlineAfter(TimeInterval seconds) {
    const auto now = std::chrono::steady_clock::now();
    const auto span =
        std::chrono::nanoseconds(Clock::nanosecondsFromSeconds(std::max(seconds, 0.0)));
    return now + span;
}

}  // namespace

RunLoop::RunLoop(bool isMain) : state_(std::make_shared<RunLoopState>()) {
    state_->isMain = isMain;
    state_->thread = std::this_thread::get_id();
}

RunLoop::~RunLoop() {
    discardPending();
}

RunLoop& RunLoop::main() {
    static RunLoop* const loop =
        ProcessState::withReset(new RunLoop(true), [](auto& state) { state.discardPending(); });
    return *loop;
}

RunLoop& RunLoop::current() {
    if (Thread::isMainThread()) {
        return main();
    }
    if (!tlsLoop) {
        tlsLoop.reset(new RunLoop(false));
    }
    return *tlsLoop;
}

bool RunLoop::isMain() const {
    return state_->isMain;
}

bool RunLoop::onOwnThread() const {
    return state_->isMain ? Thread::isMainThread() : std::this_thread::get_id() == state_->thread;
}

void RunLoop::perform(Task task) {
    auto timer = std::make_shared<Timer>(
        0.0, false, [task = std::move(task)](Timer&) { task(); }, nullptr, std::string());
    schedule(timer, Clock::monotonicNanoseconds());
}

std::shared_ptr<Timer> RunLoop::performAfter(TimeInterval delay, Task task, const void* owner,
                                             std::string tag) {
    auto timer = std::make_shared<Timer>(
        delay, false, [task = std::move(task)](Timer&) { task(); }, owner, std::move(tag));
    schedule(timer,
             Clock::monotonicNanoseconds() + Clock::nanosecondsFromSeconds(timer->interval_));
    return timer;
}

void RunLoop::cancelPerforms(const void* owner) {
    std::vector<std::shared_ptr<Timer>> cancelled;
    {
        std::lock_guard lock(state_->mutex);
        for (const auto& [key, timer] : state_->schedule) {
            if (timer->owner_ == owner && owner != nullptr) {
                cancelled.push_back(timer);
            }
        }
    }
    for (const auto& timer : cancelled) {
        timer->invalidate();
    }
}

void RunLoop::cancelPerforms(const void* owner, std::string_view tag) {
    std::vector<std::shared_ptr<Timer>> cancelled;
    {
        std::lock_guard lock(state_->mutex);
        for (const auto& [key, timer] : state_->schedule) {
            if (timer->owner_ == owner && owner != nullptr && timer->tag_ == tag) {
                cancelled.push_back(timer);
            }
        }
    }
    for (const auto& timer : cancelled) {
        timer->invalidate();
    }
}

void RunLoop::addTimer(const std::shared_ptr<Timer>& timer) {
    if (!timer || !timer->isValid()) {
        return;
    }
    {
        std::lock_guard timerLock(timer->callbackMutex_);
        if (!timer->loop_.expired()) {
            return;
        }
    }
    schedule(timer,
             Clock::monotonicNanoseconds() + Clock::nanosecondsFromSeconds(timer->interval_));
}

void RunLoop::schedule(const std::shared_ptr<Timer>& timer, std::int64_t deadline) {
    schedule(state_, timer, deadline);
}

void RunLoop::schedule(const std::shared_ptr<RunLoopState>& state,
                       const std::shared_ptr<Timer>& timer, std::int64_t deadline) {
    {
        std::lock_guard timerLock(timer->callbackMutex_);
        timer->loop_ = state;
    }
    {
        std::lock_guard lock(state->mutex);
        if (!timer->isValid()) {
            return;
        }
        timer->deadline_ = deadline;
        timer->sequence_ = state->nextSequence++;
        timer->scheduled_ = true;
        state->schedule.emplace(std::make_pair(deadline, timer->sequence_), timer);
        ++state->generation;
    }
    state->wake.notify_all();
}

std::shared_ptr<TaskQueue> RunLoop::taskQueue() const {
    return std::make_shared<RunLoopTaskQueue>(state_);
}

void RunLoop::unschedule(Timer& timer) {
    std::shared_ptr<RunLoopState> state;
    {
        std::lock_guard timerLock(timer.callbackMutex_);
        state = timer.loop_.lock();
    }
    if (!state) {
        return;
    }
    std::shared_ptr<Timer> removed;  // released outside the lock
    std::lock_guard lock(state->mutex);
    if (timer.scheduled_) {
        auto found = state->schedule.find(std::make_pair(timer.deadline_, timer.sequence_));
        if (found != state->schedule.end()) {
            removed = std::move(found->second);
            state->schedule.erase(found);
        }
        timer.scheduled_ = false;
    }
}

void RunLoop::discardPending() {
    std::map<std::pair<std::int64_t, std::uint64_t>, std::shared_ptr<Timer>> dropped;
    {
        std::lock_guard lock(state_->mutex);
        dropped.swap(state_->schedule);
        for (auto& [key, timer] : dropped) {
            timer->scheduled_ = false;
        }
    }
    for (auto& [key, timer] : dropped) {
        timer->invalidate();
    }
}

void RunLoop::fireTimer(const std::shared_ptr<Timer>& timer) {
    if (!timer->isValid()) {
        return;
    }
    if (timer->repeats_) {
        // The next fire keeps to the timer's rhythm; missed fires are skipped.
        const std::int64_t interval = Clock::nanosecondsFromSeconds(timer->interval_);
        const std::int64_t now = Clock::monotonicNanoseconds();
        std::int64_t next = timer->deadline_ + interval;
        if (next <= now) {
            next += ((now - next) / interval + 1) * interval;
        }
        schedule(timer, next);
    }
    timer->fire();
}

std::size_t RunLoop::runDue(const std::function<bool()>* condition, bool* conditionMet,
                            bool honourStop) {
    std::size_t ran = 0;
    while (true) {
        if (condition && *condition && (*condition)()) {
            *conditionMet = true;
            return ran;
        }
        std::shared_ptr<Timer> timer;
        {
            std::lock_guard lock(state_->mutex);
            if ((honourStop && state_->stopRequested) || state_->schedule.empty()) {
                return ran;
            }
            auto first = state_->schedule.begin();
            if (first->first.first > Clock::monotonicNanoseconds()) {
                return ran;
            }
            timer = std::move(first->second);
            state_->schedule.erase(first);
            timer->scheduled_ = false;
        }
        fireTimer(timer);
        ++ran;
    }
}

bool RunLoop::runUntil(const std::function<bool()>& condition, TimeInterval timeout) {
    if (!onOwnThread()) {
        Log::write("RunLoop", "refused to run a loop on a thread that is not its own");
        return condition && condition();
    }
    const auto realDeadline = realDeadlineAfter(timeout);
    while (true) {
        std::uint64_t seen;
        {
            std::lock_guard lock(state_->mutex);
            seen = state_->generation;
        }
        bool met = false;
        runDue(&condition, &met, true);
        if (met) {
            return true;
        }
        {
            std::unique_lock lock(state_->mutex);
            if (state_->stopRequested) {
                state_->stopRequested = false;
                lock.unlock();
                return condition && condition();
            }
            const auto now = std::chrono::steady_clock::now();
            if (now >= realDeadline) {
                lock.unlock();
                return condition && condition();
            }
            auto until = realDeadline;
            if (condition) {
                // The condition may turn true on another thread without news for the loop.
                until = std::min(until, now + kConditionPoll);
            }
            if (!state_->schedule.empty()) {
                if (Clock::isManual()) {
                    if (!state_->isMain) {
                        until = std::min(until, now + kManualPoll);
                    }
                } else {
                    const std::int64_t wait =
                        state_->schedule.begin()->first.first - Clock::monotonicNanoseconds();
                    until = std::min(
                        until, now + std::chrono::nanoseconds(std::max<std::int64_t>(wait, 0)));
                }
            }
            state_->wake.wait_until(
                lock, until, [&] { return state_->generation != seen || state_->stopRequested; });
        }
    }
}

void RunLoop::runFor(TimeInterval seconds) {
    runUntil(std::function<bool()>(), seconds);
}

std::size_t RunLoop::runUntilIdle() {
    if (!onOwnThread()) {
        Log::write("RunLoop", "refused to run a loop on a thread that is not its own");
        return 0;
    }
    return runDue(nullptr, nullptr, false);
}

void RunLoop::run() {
    // A century is as good as forever; stop() ends it.
    runUntil(std::function<bool()>(), 100.0 * 365 * 24 * 3600);
}

void RunLoop::stop() {
    {
        std::lock_guard lock(state_->mutex);
        state_->stopRequested = true;
        ++state_->generation;
    }
    state_->wake.notify_all();
}

std::size_t RunLoop::pendingCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->schedule.size();
}

TimeInterval RunLoop::nextFireDate() const {
    std::lock_guard lock(state_->mutex);
    if (state_->schedule.empty()) {
        return 0.0;
    }
    return static_cast<double>(state_->schedule.begin()->first.first) / 1e9;
}

TimeInterval RunLoop::nextOneShotFireDate() const {
    std::lock_guard lock(state_->mutex);
    for (const auto& [when, timer] : state_->schedule) {
        if (!timer->repeats()) {
            return static_cast<double>(when.first) / 1e9;
        }
    }
    return 0.0;
}

void RunLoop::advanceManualClockTo(std::int64_t target) {
    const std::int64_t start = detail::manualMonotonicStartNanoseconds();
    auto moveTo = [&](std::int64_t when) {
        if (when > Clock::monotonicNanoseconds()) {
            detail::setManualElapsedNanoseconds(when - start);
        }
    };
    while (true) {
        std::int64_t next;
        {
            std::lock_guard lock(state_->mutex);
            if (state_->schedule.empty() || state_->schedule.begin()->first.first > target) {
                break;
            }
            next = state_->schedule.begin()->first.first;
        }
        moveTo(next);
        runDue(nullptr, nullptr, false);
    }
    moveTo(target);
    runDue(nullptr, nullptr, false);
}

}  // namespace foundation
