#pragma once

// A queue of blocks: serial (one block at a time, in order, on the shared
// worker threads), concurrent (blocks in parallel on worker threads, with
// barriers that run alone) or the main queue (blocks on the main run loop). A
// queue dropped with work pending finishes that work first.

#include <functional>
#include <memory>
#include <string>

#include "platform/foundation/Clock.h"
#include "platform/foundation/TaskQueue.h"

namespace foundation {

struct DispatchQueueState;

class DispatchQueue : public TaskQueue {
  public:
    enum class Kind { Serial, Concurrent, Main };
    enum class Priority { High, Default, Low, Background };

    static std::shared_ptr<DispatchQueue> makeSerial(std::string label);
    static std::shared_ptr<DispatchQueue> makeConcurrent(std::string label);
    // The queue of the main run loop; lives for the process.
    static const std::shared_ptr<DispatchQueue>& main();
    // The process-wide concurrent queues; barriers on them are plain blocks.
    static const std::shared_ptr<DispatchQueue>& global(Priority priority = Priority::Default);
    // Label of the queue the calling code runs on; "" outside any queue.
    static std::string currentLabel();

    // runSynchronouslyOnMainThread: runs `task` at once on the main thread,
    // else hands it to the main queue and waits until it ran.
    static void runOnMainSync(const Task& task);

    ~DispatchQueue() override;
    DispatchQueue(const DispatchQueue&) = delete;
    DispatchQueue& operator=(const DispatchQueue&) = delete;

    const std::string& label() const;
    Kind kind() const;
    bool isCurrent() const override;

    void async(Task task) override;
    // Runs `task` on the queue and returns after it ran. An exception thrown
    // by the task reaches the caller. Called from inside the same serial
    // queue (or the main queue on the main thread) it runs the task in place
    // instead of waiting for itself forever; on a serial queue with nothing
    // queued or running it runs the task on the calling thread too, as the
    // queue's block.
    void sync(const Task& task);
    // dispatch_after: hands `task` to the queue after `delay` seconds, timed
    // on the main run loop (so a ManualClock drives it).
    void after(TimeInterval delay, Task task);
    // On a concurrent queue: waits for the blocks before it, runs alone, then
    // lets the ones after it run. On other queues: the same as async/sync.
    void barrierAsync(Task task);
    void barrierSync(const Task& task);

    // Blocks handed over and not finished yet.
    std::size_t pendingCount() const;

  private:
    explicit DispatchQueue(std::shared_ptr<DispatchQueueState> state);
    void submitAndWait(const Task& task, bool barrier);

    std::shared_ptr<DispatchQueueState> state_;
};

}  // namespace foundation
