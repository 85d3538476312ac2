#include "platform/foundation/DispatchQueue.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/foundation/WorkerPool.h"

namespace foundation {

struct DispatchQueueState : std::enable_shared_from_this<DispatchQueueState> {
    struct Item {
        TaskQueue::Task task;
        bool barrier = false;
    };

    DispatchQueue::Kind kind;
    std::string label;
    bool honoursBarriers = true;

    std::mutex mutex;
    std::deque<Item> items;
    std::atomic<std::size_t> pending{0};
    // Serial: whether the queue's blocks are being run, by a worker draining
    // the queue or in place by a thread that waits for one.
    bool busy = false;
    // Concurrent: blocks running now, and whether a barrier runs.
    std::size_t running = 0;
    bool barrierRunning = false;

    void submit(TaskQueue::Task task, bool barrier);
    // Serial: runs `task` on the calling thread when nothing is queued or
    // running, as the queue's next block; false (nothing run) otherwise.
    bool runInPlaceIfIdle(const TaskQueue::Task& task);
    // Serial: hands the queue to a worker, which runs its blocks in order
    // until none is left; called with the mutex held, the queue busy.
    void startDraining();
    void drain();
    void pump();  // concurrent; called with the mutex held
};

namespace {

thread_local const DispatchQueueState* tlsCurrent = nullptr;

// Runs a block of a worker thread; an exception is reported, not fatal.
void runReporting(const TaskQueue::Task& task, const std::string& label) {
    try {
        task();
    } catch (const std::exception& error) {
        Log::write("DispatchQueue", label + ": a block threw: " + error.what());
    } catch (...) {
        Log::write("DispatchQueue", label + ": a block threw");
    }
}

// Counts a main-queue block as done however it ends.
class PendingScope {
  public:
    explicit PendingScope(std::atomic<std::size_t>& pending) : pending_(pending) {}
    ~PendingScope() { --pending_; }

  private:
    std::atomic<std::size_t>& pending_;
};

class CurrentQueueScope {
  public:
    explicit CurrentQueueScope(const DispatchQueueState* state) : previous_(tlsCurrent) {
        tlsCurrent = state;
    }
    ~CurrentQueueScope() { tlsCurrent = previous_; }

  private:
    const DispatchQueueState* previous_;
};

std::shared_ptr<DispatchQueueState> makeState(DispatchQueue::Kind kind, std::string label) {
    auto state = std::make_shared<DispatchQueueState>();
    state->kind = kind;
    state->label = std::move(label);
    return state;
}

}  // namespace

void DispatchQueueState::submit(TaskQueue::Task task, bool barrier) {
    ++pending;
    if (kind == DispatchQueue::Kind::Main) {
        RunLoop::main().perform([self = shared_from_this(), task = std::move(task)] {
            PendingScope scope(self->pending);
            task();
        });
        return;
    }
    std::lock_guard lock(mutex);
    items.push_back(Item{std::move(task), barrier && honoursBarriers});
    if (kind == DispatchQueue::Kind::Serial) {
        if (!busy) {
            busy = true;
            startDraining();
        }
        return;
    }
    pump();
}

bool DispatchQueueState::runInPlaceIfIdle(const TaskQueue::Task& task) {
    {
        std::lock_guard lock(mutex);
        if (busy || !items.empty()) {
            return false;
        }
        busy = true;
        ++pending;
    }
    // Blocks handed over meanwhile wait for this one, then go to a worker.
    struct Release {
        DispatchQueueState& state;
        ~Release() {
            --state.pending;
            std::lock_guard lock(state.mutex);
            if (state.items.empty()) {
                state.busy = false;
            } else {
                state.startDraining();
            }
        }
    } release{*this};
    CurrentQueueScope scope(this);
    task();
    return true;
}

void DispatchQueueState::startDraining() {
    WorkerPool::shared().submit([self = shared_from_this()] { self->drain(); });
}

void DispatchQueueState::drain() {
    CurrentQueueScope scope(this);
    std::unique_lock lock(mutex);
    while (!items.empty()) {
        TaskQueue::Task task = std::move(items.front().task);
        items.pop_front();
        lock.unlock();
        runReporting(task, label);
        task = nullptr;
        --pending;
        lock.lock();
    }
    busy = false;
}

void DispatchQueueState::pump() {
    while (!items.empty() && !barrierRunning) {
        const bool barrier = items.front().barrier;
        if (barrier) {
            if (running > 0) {
                return;
            }
            barrierRunning = true;
        } else {
            ++running;
        }
        TaskQueue::Task task = std::move(items.front().task);
        items.pop_front();
        WorkerPool::shared().submit(
            [self = shared_from_this(), task = std::move(task), barrier]() mutable {
                {
                    CurrentQueueScope scope(self.get());
                    runReporting(task, self->label);
                    task = nullptr;
                }
                --self->pending;
                std::lock_guard lock(self->mutex);
                if (barrier) {
                    self->barrierRunning = false;
                } else {
                    --self->running;
                }
                self->pump();
            });
    }
}

DispatchQueue::DispatchQueue(std::shared_ptr<DispatchQueueState> state)
    : state_(std::move(state)) {}

DispatchQueue::~DispatchQueue() = default;

std::shared_ptr<DispatchQueue> DispatchQueue::makeSerial(std::string label) {
    return std::shared_ptr<DispatchQueue>(
        new DispatchQueue(makeState(Kind::Serial, std::move(label))));
}

std::shared_ptr<DispatchQueue> DispatchQueue::makeConcurrent(std::string label) {
    return std::shared_ptr<DispatchQueue>(
        new DispatchQueue(makeState(Kind::Concurrent, std::move(label))));
}

const std::shared_ptr<DispatchQueue>& DispatchQueue::main() {
    static const auto* const queue =
        new std::shared_ptr<DispatchQueue>(new DispatchQueue(makeState(Kind::Main, "main")));
    return *queue;
}

const std::shared_ptr<DispatchQueue>& DispatchQueue::global(Priority priority) {
    auto make = [](const char* label) {
        auto state = makeState(Kind::Concurrent, label);
        state->honoursBarriers = false;
        return new std::shared_ptr<DispatchQueue>(new DispatchQueue(std::move(state)));
    };
    static const auto* const high = make("global.high");
    static const auto* const normal = make("global.default");
    static const auto* const low = make("global.low");
    static const auto* const background = make("global.background");
    switch (priority) {
        case Priority::High:
            return *high;
        case Priority::Low:
            return *low;
        case Priority::Background:
            return *background;
        case Priority::Default:
            break;
    }
    return *normal;
}

std::string DispatchQueue::currentLabel() {
    if (tlsCurrent) {
        return tlsCurrent->label;
    }
    return Thread::isMainThread() ? main()->label() : std::string();
}

void DispatchQueue::runOnMainSync(const Task& task) {
    main()->sync(task);
}

const std::string& DispatchQueue::label() const {
    return state_->label;
}

DispatchQueue::Kind DispatchQueue::kind() const {
    return state_->kind;
}

bool DispatchQueue::isCurrent() const {
    if (state_->kind == Kind::Main) {
        return Thread::isMainThread();
    }
    return tlsCurrent == state_.get();
}

void DispatchQueue::async(Task task) {
    state_->submit(std::move(task), false);
}

void DispatchQueue::barrierAsync(Task task) {
    state_->submit(std::move(task), true);
}

void DispatchQueue::sync(const Task& task) {
    if (state_->kind != Kind::Concurrent && isCurrent()) {
        task();
        return;
    }
    // As dispatch_sync does, an idle serial queue runs the block on the
    // waiting thread: a queue used as a lock needs no thread of its own.
    if (state_->kind == Kind::Serial && state_->runInPlaceIfIdle(task)) {
        return;
    }
    submitAndWait(task, false);
}

void DispatchQueue::barrierSync(const Task& task) {
    if (state_->kind != Kind::Concurrent || !state_->honoursBarriers) {
        sync(task);
        return;
    }
    submitAndWait(task, true);
}

void DispatchQueue::submitAndWait(const Task& task, bool barrier) {
    struct Waiter {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        std::exception_ptr error;
    };
    auto waiter = std::make_shared<Waiter>();
    state_->submit(
        [waiter, &task] {
            std::exception_ptr error;
            try {
                task();
            } catch (...) {
                error = std::current_exception();
            }
            std::lock_guard lock(waiter->mutex);
            waiter->error = error;
            waiter->finished = true;
            waiter->done.notify_all();
        },
        barrier);
    std::unique_lock lock(waiter->mutex);
    waiter->done.wait(lock, [&] { return waiter->finished; });
    if (waiter->error) {
        std::rethrow_exception(waiter->error);
    }
}

void DispatchQueue::after(TimeInterval delay, Task task) {
    if (state_->kind == Kind::Main) {
        RunLoop::main().performAfter(delay, [state = state_, task = std::move(task)]() mutable {
            ++state->pending;
            PendingScope scope(state->pending);
            task();
        });
        return;
    }
    RunLoop::main().performAfter(delay, [state = state_, task = std::move(task)]() mutable {
        state->submit(std::move(task), false);
    });
}

std::size_t DispatchQueue::pendingCount() const {
    return state_->pending.load();
}

}  // namespace foundation
