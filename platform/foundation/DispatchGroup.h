#pragma once

// A count of blocks in flight: notify() runs a block once all have finished,
// wait() blocks until then. Copies share one group.

#include <memory>

#include "platform/foundation/Clock.h"
#include "platform/foundation/DispatchQueue.h"

namespace foundation {

struct DispatchGroupState;

class DispatchGroup {
  public:
    static constexpr TimeInterval kForever = -1.0;

    DispatchGroup();

    void enter();
    // A leave without an enter is reported and ignored.
    void leave();
    // dispatch_group_async: runs `task` on `queue` as a member of the group.
    void async(DispatchQueue& queue, TaskQueue::Task task);
    // Hands `task` to `queue` once the group is empty: at once when it is
    // empty already, else when the last member leaves.
    void notify(std::shared_ptr<TaskQueue> queue, TaskQueue::Task task);
    // Blocks until the group is empty or `timeout` seconds passed (negative:
    // no limit); answers whether it is empty.
    bool wait(TimeInterval timeout = kForever);

  private:
    std::shared_ptr<DispatchGroupState> state_;
};

}  // namespace foundation
