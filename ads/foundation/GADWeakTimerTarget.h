#pragma once

// The target a timer holds in place of the real one: it keeps the real target
// weakly, so a timer never keeps its owner alive, and invalidates the timer
// once the owner is gone.

#include <functional>
#include <memory>

#include "platform/foundation/Clock.h"
#include "platform/foundation/Timer.h"

class GADWeakTimerTarget {
  public:
    // The action called with the live target and the firing timer.
    using Selector = std::function<void(void* target, foundation::Timer& timer)>;

    GADWeakTimerTarget(std::weak_ptr<void> weakTarget, Selector selector)
        : weakTarget_(std::move(weakTarget)), selector_(std::move(selector)) {}

    // Calls the action while the target lives; invalidates the timer after.
    void runWithTimer(foundation::Timer& timer) const;

    const std::weak_ptr<void>& weakTarget() const { return weakTarget_; }
    void setWeakTarget(std::weak_ptr<void> target) { weakTarget_ = std::move(target); }
    const Selector& selector() const { return selector_; }
    void setSelector(Selector selector) { selector_ = std::move(selector); }

  private:
    std::weak_ptr<void> weakTarget_;
    Selector selector_;
};

namespace GADWeakTargetAdditions {

// A timer whose target is held weakly, not scheduled yet.
template <typename T>
std::shared_ptr<foundation::Timer> gad_timerWithTimeInterval(
    foundation::TimeInterval interval, const std::weak_ptr<T>& target,
    void (T::*selector)(foundation::Timer&), bool repeats) {
    auto weakTarget = std::make_shared<GADWeakTimerTarget>(
        std::weak_ptr<void>(target), [selector](void* object, foundation::Timer& timer) {
            (static_cast<T*>(object)->*selector)(timer);
        });
    return foundation::Timer::make(interval, repeats, [weakTarget](foundation::Timer& timer) {
        weakTarget->runWithTimer(timer);
    });
}

// The same timer, scheduled on the calling thread's run loop.
template <typename T>
std::shared_ptr<foundation::Timer> gad_scheduledTimerWithTimeInterval(
    foundation::TimeInterval interval, const std::weak_ptr<T>& target,
    void (T::*selector)(foundation::Timer&), bool repeats) {
    auto weakTarget = std::make_shared<GADWeakTimerTarget>(
        std::weak_ptr<void>(target), [selector](void* object, foundation::Timer& timer) {
            (static_cast<T*>(object)->*selector)(timer);
        });
    return foundation::Timer::scheduled(interval, repeats, [weakTarget](foundation::Timer& timer) {
        weakTarget->runWithTimer(timer);
    });
}

}  // namespace GADWeakTargetAdditions
