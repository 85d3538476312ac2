#pragma once

// The shared state of one operation queue: its operations and what may start.
// Operations point at it weakly to report that they finished.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace foundation {

class Operation;

struct OperationQueueState : std::enable_shared_from_this<OperationQueueState> {
    struct Entry {
        std::shared_ptr<Operation> operation;
        std::uint64_t order = 0;
        bool started = false;
    };

    std::string name;
    bool isMain = false;

    mutable std::mutex mutex;
    std::condition_variable emptied;
    std::vector<Entry> entries;
    std::uint64_t nextOrder = 0;
    std::size_t running = 0;
    int maxConcurrent = -1;
    bool suspended = false;
    // Set while the queue object is gone but operations remain, so they run.
    std::shared_ptr<OperationQueueState> keepAlive;

    // Starts what may start now.
    void schedule();
    // Called once an operation of this queue finished.
    void operationFinished(const Operation* operation);
    // Forgets every operation (cancelling it) and resumes the queue: the
    // main queue's part of the process reset, where the main run loop drops
    // the runs it had handed over, so none of them would ever finish here.
    void drop();
};

}  // namespace foundation
