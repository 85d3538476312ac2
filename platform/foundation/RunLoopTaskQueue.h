#pragma once

// One thread's run loop seen as a task queue: what a connection scheduled on
// that loop posts its delegate calls to. It holds the loop weakly, so blocks
// handed over after the thread (and its loop) ended are dropped.

#include <memory>

#include "platform/foundation/TaskQueue.h"

namespace foundation {

struct RunLoopState;

class RunLoopTaskQueue : public TaskQueue {
  public:
    explicit RunLoopTaskQueue(const std::shared_ptr<RunLoopState>& state);

    void async(Task task) override;
    bool isCurrent() const override;

  private:
    std::weak_ptr<RunLoopState> state_;
};

}  // namespace foundation
