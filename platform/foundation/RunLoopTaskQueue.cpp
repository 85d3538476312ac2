#include "platform/foundation/RunLoopTaskQueue.h"

#include <string>
#include <thread>

#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/RunLoopState.h"
#include "platform/foundation/Thread.h"
#include "platform/foundation/Timer.h"

namespace foundation {

RunLoopTaskQueue::RunLoopTaskQueue(const std::shared_ptr<RunLoopState>& state) : state_(state) {}

void RunLoopTaskQueue::async(Task task) {
    auto state = state_.lock();
    if (!state) {
        return;
    }
    auto timer = std::make_shared<Timer>(
        0.0, false, [task = std::move(task)](Timer&) { task(); }, nullptr, std::string());
    RunLoop::schedule(state, timer, Clock::monotonicNanoseconds());
}

bool RunLoopTaskQueue::isCurrent() const {
    auto state = state_.lock();
    if (!state) {
        return false;
    }
    return state->isMain ? Thread::isMainThread() : state->thread == std::this_thread::get_id();
}

}  // namespace foundation
