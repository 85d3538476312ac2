#include "platform/foundation/OperationQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/BlockOperation.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/DispatchSemaphore.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"

namespace foundation {
namespace {

constexpr TimeInterval kBound = 10.0;

// Records what ran, from any thread.
class Journal {
  public:
    void add(std::string entry) {
        std::lock_guard lock(mutex_);
        entries_.push_back(std::move(entry));
    }
    std::vector<std::string> entries() const {
        std::lock_guard lock(mutex_);
        return entries_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<std::string> entries_;
};

// Goes on after start() returns, finishing when told: the shape of a
// download that runs on its own run loop.
class AsynchronousOperation : public Operation {
  public:
    bool isAsynchronous() const override { return true; }
    void start() override {
        if (isCancelled()) {
            setFinished(true);
            return;
        }
        setExecuting(true);
        auto self = std::static_pointer_cast<AsynchronousOperation>(shared_from_this());
        DispatchQueue::global()->async([self] {
            self->release_.wait(kBound);
            self->setExecuting(false);
            self->setFinished(true);
        });
    }
    void release() { release_.signal(); }

  private:
    DispatchSemaphore release_{0};
};

TEST(OperationQueueTest, WidthOfOneRunsInOrderOfPriorityThenAddition) {
    OperationQueue queue("ordered");
    queue.setMaxConcurrentOperationCount(1);
    queue.setSuspended(true);
    Journal journal;
    auto make = [&](std::string name, int priority) {
        auto operation = BlockOperation::make([&journal, name] { journal.add(name); });
        operation->setQueuePriority(priority);
        return operation;
    };
    queue.addOperation(make("normal-1", Operation::Normal));
    queue.addOperation(make("low", Operation::Low));
    queue.addOperation(make("high", Operation::High));
    queue.addOperation(make("normal-2", Operation::Normal));
    EXPECT_EQ(queue.operationCount(), 4u);
    EXPECT_TRUE(journal.entries().empty());  // suspended

    queue.setSuspended(false);
    queue.waitUntilAllOperationsAreFinished();
    EXPECT_EQ(journal.entries(), (std::vector<std::string>{"high", "normal-1", "normal-2", "low"}));
    EXPECT_EQ(queue.operationCount(), 0u);
}

TEST(OperationQueueTest, MaxConcurrentCountBoundsTheOperationsRunningTogether) {
    OperationQueue queue;
    queue.setMaxConcurrentOperationCount(2);
    std::atomic<int> running{0};
    std::atomic<int> peak{0};
    for (int i = 0; i < 8; ++i) {
        queue.addOperation([&] {
            const int now = ++running;
            int seen = peak.load();
            while (now > seen && !peak.compare_exchange_weak(seen, now)) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            --running;
        });
    }
    queue.waitUntilAllOperationsAreFinished();
    EXPECT_EQ(peak.load(), 2);
}

TEST(OperationQueueTest, DependenciesAcrossQueuesHoldAnOperationBack) {
    OperationQueue first;
    OperationQueue second;
    Journal journal;
    auto download = BlockOperation::make([&] { journal.add("download"); });
    auto decode = BlockOperation::make([&] { journal.add("decode"); });
    auto show = BlockOperation::make([&] { journal.add("show"); });
    decode->addDependency(download);
    show->addDependency(decode);
    show->addDependency(download);

    second.addOperation(show);
    second.addOperation(decode);
    first.setSuspended(true);
    first.addOperation(download);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(journal.entries().empty());
    EXPECT_FALSE(show->isReady());

    first.setSuspended(false);
    show->waitUntilFinished();
    EXPECT_EQ(journal.entries(), (std::vector<std::string>{"download", "decode", "show"}));
}

TEST(OperationQueueTest, CancelledOperationsFinishWithoutRunningAndReleaseTheirDependents) {
    OperationQueue queue;
    queue.setMaxConcurrentOperationCount(1);
    Journal journal;
    DispatchSemaphore gate(0);
    auto blocker = BlockOperation::make([&] { gate.wait(kBound); });
    auto waitsForever = std::make_shared<Operation>();  // never added anywhere
    auto cancelled = BlockOperation::make([&] { journal.add("cancelled ran"); });
    cancelled->addDependency(waitsForever);
    auto after =
        BlockOperation::make([&] { journal.add(std::string("after, cancelled finished: ")); });
    after->addDependency(cancelled);
    bool completionRan = false;
    cancelled->setCompletionBlock([&] { completionRan = true; });

    queue.addOperation(blocker);
    queue.addOperation(cancelled);
    queue.addOperation(after);
    cancelled->cancel();
    EXPECT_TRUE(cancelled->isReady());  // cancellation ignores unfinished dependencies
    gate.signal();
    queue.waitUntilAllOperationsAreFinished();

    EXPECT_TRUE(cancelled->isFinished());
    EXPECT_TRUE(completionRan);
    EXPECT_EQ(journal.entries().size(), 1u);
    EXPECT_EQ(journal.entries()[0].rfind("after", 0), 0u);
}

TEST(OperationQueueTest, CancelAllOperationsStopsWhatHasNotStarted) {
    OperationQueue queue;
    queue.setMaxConcurrentOperationCount(1);
    DispatchSemaphore gate(0);
    DispatchSemaphore started(0);
    std::atomic<int> ran{0};
    queue.addOperation([&] {
        started.signal();
        gate.wait(kBound);
        ++ran;
    });
    for (int i = 0; i < 5; ++i) {
        queue.addOperation([&] { ++ran; });
    }
    ASSERT_TRUE(started.wait(kBound));
    queue.cancelAllOperations();
    gate.signal();
    queue.waitUntilAllOperationsAreFinished();
    EXPECT_EQ(ran.load(), 1);  // the running one goes to its end
}

TEST(OperationQueueTest, AnAsynchronousOperationHoldsItsSlotUntilItFinishes) {
    OperationQueue queue;
    queue.setMaxConcurrentOperationCount(1);
    auto download = std::make_shared<AsynchronousOperation>();
    std::atomic<bool> nextRan{false};
    std::vector<std::pair<std::string, bool>> changes;
    std::mutex changesMutex;
    auto watcher = std::make_shared<int>(0);
    for (const char* key : {"isExecuting", "isFinished"}) {
        download->addObserver(watcher, key, [&](const KeyValueChange& change) {
            std::lock_guard lock(changesMutex);
            changes.emplace_back(change.key, change.newValue.boolValue());
        });
    }
    queue.addOperation(download);
    queue.addOperation([&] { nextRan = true; });

    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(download->isExecuting());
    EXPECT_FALSE(nextRan.load());
    EXPECT_EQ(queue.operationCount(), 2u);

    download->release();
    queue.waitUntilAllOperationsAreFinished();
    EXPECT_TRUE(nextRan.load());
    std::lock_guard lock(changesMutex);
    EXPECT_EQ(changes, (std::vector<std::pair<std::string, bool>>{
                           {"isExecuting", true}, {"isExecuting", false}, {"isFinished", true}}));
}

TEST(OperationQueueTest, MainQueueRunsOperationsOnTheMainLoopAfterWhatIsQueued) {
    std::vector<std::string> order;
    DispatchQueue::main()->async([&] { order.push_back("queued first"); });
    OperationQueue::main()->addOperation([&] {
        order.push_back(Thread::isMainThread() && OperationQueue::main()->isCurrent()
                            ? "operation on main"
                            : "operation elsewhere");
    });
    EXPECT_TRUE(order.empty());  // never inline
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return order.size() == 2; }, kBound));
    EXPECT_EQ(order, (std::vector<std::string>{"queued first", "operation on main"}));
}

TEST(OperationQueueTest, TheProcessResetLeavesTheMainQueueIdleAndRunning) {
    auto& mainQueue = *OperationQueue::main();
    auto download = std::make_shared<AsynchronousOperation>();
    std::atomic<bool> heldBackRan{false};
    mainQueue.addOperation(download);
    mainQueue.addOperation([&] { heldBackRan = true; });
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return download->isExecuting(); }, kBound));
    mainQueue.addOperation([&] { heldBackRan = true; });
    mainQueue.setSuspended(true);

    ProcessState::resetAll();
    EXPECT_EQ(mainQueue.operationCount(), 0u);
    EXPECT_FALSE(mainQueue.isSuspended());
    download->release();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return download->isFinished(); }, kBound));

    bool nextRan = false;
    mainQueue.addOperation([&] { nextRan = true; });
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return nextRan; }, kBound));
    EXPECT_FALSE(heldBackRan.load());
    EXPECT_EQ(mainQueue.operationCount(), 0u);
}

TEST(OperationQueueTest, AnOperationJoinsOneQueueOnce) {
    OperationQueue first;
    OperationQueue second;
    first.setSuspended(true);
    std::atomic<int> runs{0};
    auto operation = BlockOperation::make([&] { ++runs; });
    first.addOperation(operation);
    second.addOperation(operation);
    first.addOperation(operation);
    EXPECT_EQ(first.operationCount(), 1u);
    EXPECT_EQ(second.operationCount(), 0u);
    first.setSuspended(false);
    operation->waitUntilFinished();
    first.addOperation(operation);  // finished: ignored
    first.waitUntilAllOperationsAreFinished();
    EXPECT_EQ(runs.load(), 1);
}

}  // namespace
}  // namespace foundation
