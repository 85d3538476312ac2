#pragma once

// The worker threads behind concurrent dispatch queues and operation queues.
// A block that waits does not hold up the others: a new thread starts while
// every thread is busy (up to a generous cap), and idle threads above a few
// end after a while. Lives for the process.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

namespace foundation {

class WorkerPool {
  public:
    using Task = std::function<void()>;

    static WorkerPool& shared();

    void submit(Task task);

    std::size_t threadCount() const;

  private:
    WorkerPool() = default;
    void work();

    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Task> tasks_;
    std::size_t threads_ = 0;
    std::size_t idle_ = 0;
};

}  // namespace foundation
