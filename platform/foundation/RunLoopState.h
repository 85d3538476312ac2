#pragma once

// The shared state of one run loop: its schedule and what wakes it. Timers
// point at it weakly, so a loop that is gone is simply not there for them.

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace foundation {

class Timer;

struct RunLoopState {
    bool isMain = false;
    std::thread::id thread;

    mutable std::mutex mutex;
    std::condition_variable wake;
    // Pending items by (deadline in monotonic nanoseconds, order of adding).
    std::map<std::pair<std::int64_t, std::uint64_t>, std::shared_ptr<Timer>> schedule;
    std::uint64_t nextSequence = 0;
    // Bumped by every addition and by stop(), so a waiting loop sees news.
    std::uint64_t generation = 0;
    bool stopRequested = false;
};

}  // namespace foundation
