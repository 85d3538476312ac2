#pragma once

// The worker threads behind dispatch queues and operation queues. It starts
// with the few threads it keeps, so that the first blocks of a launch need no
// new thread. A block that waits does not hold up the others: a new thread
// starts while every thread is busy (up to a generous cap), and idle threads
// above the few kept end after a while. Lives for the process.

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
    WorkerPool();
    void work();

    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Task> tasks_;
    std::size_t threads_ = 0;
    std::size_t idle_ = 0;
    std::size_t starting_ = 0;  // started, not yet waiting for a task
};

}  // namespace foundation
