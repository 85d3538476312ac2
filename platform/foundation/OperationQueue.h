#pragma once

// Runs operations as their dependencies allow, highest priority first and in
// the order added among equals, at most maxConcurrentOperationCount at a
// time, on worker threads; the main queue runs them one at a time on the main
// run loop.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Operation.h"
#include "platform/foundation/TaskQueue.h"

namespace foundation {

struct OperationQueueState;

class OperationQueue : public TaskQueue {
  public:
    static constexpr int kDefaultMaxConcurrentOperationCount = -1;

    explicit OperationQueue(std::string name = {});
    ~OperationQueue() override;
    OperationQueue(const OperationQueue&) = delete;
    OperationQueue& operator=(const OperationQueue&) = delete;

    // The queue of the main run loop; lives for the process.
    static const std::shared_ptr<OperationQueue>& main();

    // An operation goes into one queue once; adding a finished or queued one
    // does nothing.
    void addOperation(const std::shared_ptr<Operation>& operation);
    void addOperations(const std::vector<std::shared_ptr<Operation>>& operations,
                       bool waitUntilFinished);
    // addOperationWithBlock:
    void addOperation(std::function<void()> block);
    void async(Task task) override;
    bool isCurrent() const override;

    // -1 (the default) lets the system choose; 0 runs nothing.
    int maxConcurrentOperationCount() const;
    void setMaxConcurrentOperationCount(int count);

    // A suspended queue starts no operation; the ones running go on.
    bool isSuspended() const;
    void setSuspended(bool suspended);

    // Operations added and not finished yet, in the order added.
    std::vector<std::shared_ptr<Operation>> operations() const;
    std::size_t operationCount() const;
    void cancelAllOperations();
    // Blocks until every operation finished; not on the thread that must
    // run them.
    void waitUntilAllOperationsAreFinished();

    const std::string& name() const;

  private:
    friend class Operation;

    explicit OperationQueue(std::shared_ptr<OperationQueueState> state);

    std::shared_ptr<OperationQueueState> state_;
};

}  // namespace foundation
