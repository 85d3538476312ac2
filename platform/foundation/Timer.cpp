#include "platform/foundation/Timer.h"

#include <algorithm>

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/RunLoopState.h"

namespace foundation {

namespace {

constexpr TimeInterval kMinimumRepeatInterval = 0.0001;

}  // namespace

Timer::Timer(TimeInterval interval, bool repeats, Callback callback, const void* owner,
             std::string tag)
    : interval_(repeats ? std::max(interval, kMinimumRepeatInterval) : std::max(interval, 0.0)),
      repeats_(repeats),
      callback_(std::make_shared<Callback>(std::move(callback))),
      owner_(owner),
      tag_(std::move(tag)) {}

std::shared_ptr<Timer> Timer::make(TimeInterval interval, bool repeats, Callback callback) {
    return std::make_shared<Timer>(interval, repeats, std::move(callback), nullptr, std::string());
}

std::shared_ptr<Timer> Timer::scheduled(TimeInterval interval, bool repeats, Callback callback) {
    auto timer = make(interval, repeats, std::move(callback));
    RunLoop::current().addTimer(timer);
    return timer;
}

void Timer::invalidate() {
    if (!valid_.exchange(false)) {
        return;
    }
    RunLoop::unschedule(*this);
    std::shared_ptr<Callback> released;
    {
        std::lock_guard lock(callbackMutex_);
        released = std::move(callback_);
    }
}

std::shared_ptr<Timer::Callback> Timer::callback() const {
    std::lock_guard lock(callbackMutex_);
    return callback_;
}

TimeInterval Timer::fireDate() const {
    auto loop = loop_.lock();
    if (!loop) {
        return 0.0;
    }
    std::lock_guard lock(loop->mutex);
    return scheduled_ ? static_cast<double>(deadline_) / 1e9 : 0.0;
}

void Timer::fire() {
    auto held = shared_from_this();
    if (!isValid()) {
        return;
    }
    if (auto callback = this->callback(); callback && *callback) {
        (*callback)(*this);
    }
    if (!repeats_) {
        invalidate();
    }
}

}  // namespace foundation
