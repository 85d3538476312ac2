#pragma once

// A counting semaphore: wait() takes one unit, blocking while there is none;
// signal() gives one back.

#include <condition_variable>
#include <mutex>

#include "platform/foundation/Clock.h"

namespace foundation {

class DispatchSemaphore {
  public:
    static constexpr TimeInterval kForever = -1.0;

    explicit DispatchSemaphore(long value = 0) : value_(value) {}
    DispatchSemaphore(const DispatchSemaphore&) = delete;
    DispatchSemaphore& operator=(const DispatchSemaphore&) = delete;

    void signal();
    // Answers false when `timeout` seconds passed first (negative: no limit).
    bool wait(TimeInterval timeout = kForever);

  private:
    std::mutex mutex_;
    std::condition_variable available_;
    long value_;
};

}  // namespace foundation
