#pragma once

// A unit of work for an operation queue, with dependencies, a priority,
// cancellation and a completion block. Plain operations override main().
// Operations that go on after start() returns (a download on its own run
// loop) override start() and isAsynchronous() and report their state with
// setExecuting()/setFinished(); the queue counts them as running until they
// finish. "isExecuting", "isFinished" and "isCancelled" are observable.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/Observable.h"

namespace foundation {

struct OperationQueueState;

class Operation : public Observable, public std::enable_shared_from_this<Operation> {
  public:
    enum QueuePriority { VeryLow = -8, Low = -4, Normal = 0, High = 4, VeryHigh = 8 };

    Operation() = default;
    ~Operation() override = default;
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

    // Runs the operation: a cancelled one finishes without running main();
    // otherwise it is executing while main() runs, then finished. Called by
    // a queue, or directly when the operation is not in one.
    virtual void start();
    // The work of a plain operation.
    virtual void main() {}
    // Marks the operation cancelled; work that has not started will not, and
    // work that runs may look at isCancelled(). Dependencies stop holding it.
    virtual void cancel();
    // True when the operation goes on after start() returns.
    virtual bool isAsynchronous() const { return false; }

    bool isCancelled() const { return cancelled_.load(); }
    bool isExecuting() const { return executing_.load(); }
    bool isFinished() const { return finished_.load(); }
    // All dependencies finished, or the operation is cancelled.
    bool isReady() const;

    void addDependency(const std::shared_ptr<Operation>& operation);
    void removeDependency(const std::shared_ptr<Operation>& operation);
    std::vector<std::shared_ptr<Operation>> dependencies() const;

    int queuePriority() const { return priority_.load(); }
    void setQueuePriority(int priority) { priority_.store(priority); }

    // Runs once after the operation finished, on the thread that finished it,
    // before waitUntilFinished() returns and before the queue lets it go.
    void setCompletionBlock(std::function<void()> block);

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // Blocks until the operation finished. Do not call it on the thread that
    // must run the operation (the main thread for the main queue).
    void waitUntilFinished();

    Value valueForKey(std::string_view key) const override;

  protected:
    // For asynchronous subclasses: report the state as the work goes.
    void setExecuting(bool executing);
    void setFinished(bool finished);

  private:
    friend class OperationQueue;
    friend struct OperationQueueState;

    std::atomic<bool> cancelled_{false};
    std::atomic<bool> executing_{false};
    std::atomic<bool> finished_{false};
    std::atomic<int> priority_{Normal};
    std::string name_;

    mutable std::mutex mutex_;
    std::condition_variable finishedCondition_;
    bool settled_ = false;  // finished and its completion block ran
    std::vector<std::shared_ptr<Operation>> dependencies_;
    std::vector<std::weak_ptr<Operation>> dependents_;
    std::function<void()> completion_;
    std::weak_ptr<OperationQueueState> queue_;
};

}  // namespace foundation
