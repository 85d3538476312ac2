#include "platform/foundation/DispatchGroup.h"
#include "platform/foundation/Log.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <utility>
#include <vector>

namespace foundation {

struct DispatchGroupState {
    std::mutex mutex;
    std::condition_variable emptied;
    long count = 0;
    std::vector<std::pair<std::shared_ptr<TaskQueue>, TaskQueue::Task>> notifications;
};

DispatchGroup::DispatchGroup() : state_(std::make_shared<DispatchGroupState>()) {}

void DispatchGroup::enter() {
    std::lock_guard lock(state_->mutex);
    ++state_->count;
}

void DispatchGroup::leave() {
    std::vector<std::pair<std::shared_ptr<TaskQueue>, TaskQueue::Task>> ready;
    {
        std::lock_guard lock(state_->mutex);
        if (state_->count == 0) {
            Log::write("DispatchGroup", "leave() without enter()");
            return;
        }
        if (--state_->count > 0) {
            return;
        }
        ready.swap(state_->notifications);
        state_->emptied.notify_all();
    }
    for (auto& [queue, task] : ready) {
        queue->async(std::move(task));
    }
}

void DispatchGroup::async(DispatchQueue& queue, TaskQueue::Task task) {
    enter();
    queue.async([group = *this, task = std::move(task)]() mutable {
        struct Leave {
            DispatchGroup& group;
            ~Leave() { group.leave(); }
        } leave{group};
        task();
    });
}

void DispatchGroup::notify(std::shared_ptr<TaskQueue> queue, TaskQueue::Task task) {
    if (!queue || !task) {
        return;
    }
    {
        std::lock_guard lock(state_->mutex);
        if (state_->count > 0) {
            state_->notifications.emplace_back(std::move(queue), std::move(task));
            return;
        }
    }
    queue->async(std::move(task));
}

bool DispatchGroup::wait(TimeInterval timeout) {
    std::unique_lock lock(state_->mutex);
    auto empty = [&] { return state_->count == 0; };
    if (timeout < 0) {
        state_->emptied.wait(lock, empty);
        return true;
    }
    return state_->emptied.wait_for(
        lock, std::chrono::nanoseconds(Clock::nanosecondsFromSeconds(timeout)), empty);
}

}  // namespace foundation
