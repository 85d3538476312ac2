#pragma once

// A latch that a test server's handlers wait on until the test opens it.

#include <condition_variable>
#include <mutex>

namespace testing_support {

class Gate {
  public:
    void open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        condition_.notify_all();
    }
    void wait() {
        std::unique_lock lock(mutex_);
        condition_.wait(lock, [&] { return open_; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable condition_;
    bool open_ = false;
};

}  // namespace testing_support
