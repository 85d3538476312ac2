#include "platform/foundation/Operation.h"

#include <algorithm>
#include <exception>

#include "platform/foundation/Log.h"
#include "platform/foundation/OperationQueueState.h"

namespace foundation {

void Operation::start() {
    if (isFinished() || isExecuting()) {
        return;
    }
    if (isCancelled()) {
        setFinished(true);
        return;
    }
    setExecuting(true);
    try {
        main();
    } catch (const std::exception& error) {
        Log::write("Operation", name_ + ": main() threw: " + error.what());
    } catch (...) {
        Log::write("Operation", name_ + ": main() threw");
    }
    setExecuting(false);
    setFinished(true);
}

void Operation::cancel() {
    if (isCancelled() || isFinished()) {
        return;
    }
    willChangeValueForKey("isCancelled");
    cancelled_.store(true);
    didChangeValueForKey("isCancelled");
    std::shared_ptr<OperationQueueState> queue;
    {
        std::lock_guard lock(mutex_);
        queue = queue_.lock();
    }
    if (queue) {
        queue->schedule();
    }
}

bool Operation::isReady() const {
    if (isCancelled()) {
        return true;
    }
    std::lock_guard lock(mutex_);
    return std::all_of(dependencies_.begin(), dependencies_.end(),
                       [](const std::shared_ptr<Operation>& d) { return d->isFinished(); });
}

void Operation::addDependency(const std::shared_ptr<Operation>& operation) {
    if (!operation || operation.get() == this) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        if (std::find(dependencies_.begin(), dependencies_.end(), operation) !=
            dependencies_.end()) {
            return;
        }
        dependencies_.push_back(operation);
    }
    std::lock_guard lock(operation->mutex_);
    operation->dependents_.push_back(weak_from_this());
}

void Operation::removeDependency(const std::shared_ptr<Operation>& operation) {
    std::shared_ptr<OperationQueueState> queue;
    {
        std::lock_guard lock(mutex_);
        std::erase(dependencies_, operation);
        queue = queue_.lock();
    }
    if (queue) {
        queue->schedule();
    }
}

std::vector<std::shared_ptr<Operation>> Operation::dependencies() const {
    std::lock_guard lock(mutex_);
    return dependencies_;
}

void Operation::setCompletionBlock(std::function<void()> block) {
    std::lock_guard lock(mutex_);
    completion_ = std::move(block);
}

void Operation::waitUntilFinished() {
    std::unique_lock lock(mutex_);
    finishedCondition_.wait(lock, [&] { return settled_; });
}

Value Operation::valueForKey(std::string_view key) const {
    if (key == "isExecuting") {
        return isExecuting();
    }
    if (key == "isFinished") {
        return isFinished();
    }
    if (key == "isCancelled") {
        return isCancelled();
    }
    return Observable::valueForKey(key);
}

void Operation::setExecuting(bool executing) {
    if (isExecuting() == executing) {
        return;
    }
    willChangeValueForKey("isExecuting");
    executing_.store(executing);
    didChangeValueForKey("isExecuting");
}

void Operation::setFinished(bool finished) {
    if (!finished || isFinished()) {
        return;
    }
    // Keeps this operation alive through its bookkeeping if the queue held the last reference.
    auto self = weak_from_this().lock();
    willChangeValueForKey("isFinished");
    std::function<void()> completion;
    {
        std::lock_guard lock(mutex_);
        finished_.store(true);
        completion = std::move(completion_);
    }
    didChangeValueForKey("isFinished");
    // The completion block runs before waiters and the queue hear of the end,
    // so waiting for an operation or a queue also waits for it.
    if (completion) {
        completion();
    }
    std::vector<std::weak_ptr<Operation>> dependents;
    std::shared_ptr<OperationQueueState> queue;
    {
        std::lock_guard lock(mutex_);
        settled_ = true;
        dependents = dependents_;
        queue = queue_.lock();
        finishedCondition_.notify_all();
    }
    if (queue) {
        queue->operationFinished(this);
    }
    for (const auto& weakDependent : dependents) {
        auto dependent = weakDependent.lock();
        if (!dependent) {
            continue;
        }
        std::shared_ptr<OperationQueueState> dependentQueue;
        {
            std::lock_guard lock(dependent->mutex_);
            dependentQueue = dependent->queue_.lock();
        }
        if (dependentQueue && dependentQueue != queue) {
            dependentQueue->schedule();
        }
    }
}

}  // namespace foundation
