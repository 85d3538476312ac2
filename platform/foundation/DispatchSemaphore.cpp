#include "platform/foundation/DispatchSemaphore.h"

#include <chrono>

namespace foundation {

void DispatchSemaphore::signal() {
    // Notified under the lock: a waiter that returns may destroy the semaphore at once.
    std::lock_guard lock(mutex_);
    ++value_;
    available_.notify_one();
}

bool DispatchSemaphore::wait(TimeInterval timeout) {
    std::unique_lock lock(mutex_);
    auto ready = [&] { return value_ > 0; };
    if (timeout < 0) {
        available_.wait(lock, ready);
    } else if (!available_.wait_for(
                   lock, std::chrono::nanoseconds(Clock::nanosecondsFromSeconds(timeout)), ready)) {
        return false;
    }
    --value_;
    return true;
}

}  // namespace foundation
