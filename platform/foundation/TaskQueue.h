#pragma once

// Something that runs blocks later: dispatch queues and operation queues.
// Notification observers name one to be called on.

#include <functional>

namespace foundation {

class TaskQueue {
  public:
    using Task = std::function<void()>;

    virtual ~TaskQueue() = default;

    // Runs `task` on the queue later; never before returning.
    virtual void async(Task task) = 0;
    // True when the calling code runs on this queue.
    virtual bool isCurrent() const = 0;
};

}  // namespace foundation
