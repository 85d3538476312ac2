#include "platform/foundation/OperationQueue.h"

#include <algorithm>

#include "platform/foundation/BlockOperation.h"
#include "platform/foundation/OperationQueueState.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/foundation/WorkerPool.h"

namespace foundation {

namespace {

// What "let the system choose" comes to for a queue on worker threads.
constexpr std::size_t kSystemWidth = 64;

thread_local const OperationQueueState* tlsCurrent = nullptr;

void runOperation(const std::shared_ptr<OperationQueueState>& queue,
                  const std::shared_ptr<Operation>& operation) {
    const OperationQueueState* previous = tlsCurrent;
    tlsCurrent = queue.get();
    operation->start();
    tlsCurrent = previous;
}

}  // namespace

void OperationQueueState::schedule() {
    std::vector<std::shared_ptr<Operation>> starting;
    {
        std::lock_guard lock(mutex);
        const std::size_t limit = isMain              ? 1
                                  : maxConcurrent < 0 ? kSystemWidth
                                                      : static_cast<std::size_t>(maxConcurrent);
        while (!suspended && running < limit) {
            Entry* best = nullptr;
            for (auto& entry : entries) {
                if (entry.started || !entry.operation->isReady()) {
                    continue;
                }
                if (!best || entry.operation->queuePriority() > best->operation->queuePriority()) {
                    best = &entry;
                }
            }
            if (!best) {
                break;
            }
            best->started = true;
            ++running;
            starting.push_back(best->operation);
        }
    }
    for (auto& operation : starting) {
        auto run = [self = shared_from_this(), operation] {
            runOperation(self, operation);
            if (!operation->isAsynchronous() && !operation->isFinished()) {
                // A synchronous operation is done when start() returns.
                operation->setFinished(true);
            }
        };
        if (isMain) {
            RunLoop::main().perform(std::move(run));
        } else {
            WorkerPool::shared().submit(std::move(run));
        }
    }
}

void OperationQueueState::operationFinished(const Operation* operation) {
    std::shared_ptr<Operation> finished;  // released outside the lock
    std::shared_ptr<OperationQueueState> released;
    {
        std::lock_guard lock(mutex);
        auto found = std::find_if(entries.begin(), entries.end(),
                                  [&](const Entry& e) { return e.operation.get() == operation; });
        if (found == entries.end()) {
            return;
        }
        if (found->started) {
            --running;
        }
        finished = std::move(found->operation);
        entries.erase(found);
        if (entries.empty()) {
            emptied.notify_all();
            released = std::move(keepAlive);
        }
    }
    schedule();
}

void OperationQueueState::drop() {
    std::vector<Entry> dropped;  // released outside the lock
    {
        std::lock_guard lock(mutex);
        dropped.swap(entries);
        running = 0;
        suspended = false;
        emptied.notify_all();
    }
    for (auto& entry : dropped) {
        entry.operation->cancel();
    }
}

OperationQueue::OperationQueue(std::string name) : state_(std::make_shared<OperationQueueState>()) {
    state_->name = std::move(name);
}

OperationQueue::OperationQueue(std::shared_ptr<OperationQueueState> state)
    : state_(std::move(state)) {}

OperationQueue::~OperationQueue() {
    std::lock_guard lock(state_->mutex);
    if (!state_->entries.empty()) {
        state_->keepAlive = state_;
    }
}

const std::shared_ptr<OperationQueue>& OperationQueue::main() {
    static const auto* const queue = [] {
        auto state = std::make_shared<OperationQueueState>();
        state->name = "main";
        state->isMain = true;
        return ProcessState::withReset(
            new std::shared_ptr<OperationQueue>(new OperationQueue(state)),
            [state](auto&) { state->drop(); });
    }();
    return *queue;
}

void OperationQueue::addOperation(const std::shared_ptr<Operation>& operation) {
    if (!operation || operation->isFinished()) {
        return;
    }
    {
        std::lock_guard lock(operation->mutex_);
        if (!operation->queue_.expired()) {
            return;
        }
        operation->queue_ = state_;
    }
    {
        std::lock_guard lock(state_->mutex);
        state_->entries.push_back(
            OperationQueueState::Entry{operation, state_->nextOrder++, false});
    }
    state_->schedule();
}

void OperationQueue::addOperations(const std::vector<std::shared_ptr<Operation>>& operations,
                                   bool waitUntilFinished) {
    for (const auto& operation : operations) {
        addOperation(operation);
    }
    if (waitUntilFinished) {
        for (const auto& operation : operations) {
            if (operation) {
                operation->waitUntilFinished();
            }
        }
    }
}

void OperationQueue::addOperation(std::function<void()> block) {
    addOperation(BlockOperation::make(std::move(block)));
}

void OperationQueue::async(Task task) {
    addOperation(std::move(task));
}

bool OperationQueue::isCurrent() const {
    if (state_->isMain) {
        return Thread::isMainThread();
    }
    return tlsCurrent == state_.get();
}

int OperationQueue::maxConcurrentOperationCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->isMain ? 1 : state_->maxConcurrent;
}

void OperationQueue::setMaxConcurrentOperationCount(int count) {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->isMain) {
            return;
        }
        state_->maxConcurrent = count < 0 ? kDefaultMaxConcurrentOperationCount : count;
    }
    state_->schedule();
}

bool OperationQueue::isSuspended() const {
    std::lock_guard lock(state_->mutex);
    return state_->suspended;
}

void OperationQueue::setSuspended(bool suspended) {
    {
        std::lock_guard lock(state_->mutex);
        state_->suspended = suspended;
    }
    state_->schedule();
}

std::vector<std::shared_ptr<Operation>> OperationQueue::operations() const {
    std::lock_guard lock(state_->mutex);
    std::vector<std::shared_ptr<Operation>> result;
    for (const auto& entry : state_->entries) {
        result.push_back(entry.operation);
    }
    return result;
}

std::size_t OperationQueue::operationCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->entries.size();
}

void OperationQueue::cancelAllOperations() {
    for (const auto& operation : operations()) {
        operation->cancel();
    }
}

void OperationQueue::waitUntilAllOperationsAreFinished() {
    std::unique_lock lock(state_->mutex);
    state_->emptied.wait(lock, [&] { return state_->entries.empty(); });
}

const std::string& OperationQueue::name() const {
    return state_->name;
}

}  // namespace foundation
