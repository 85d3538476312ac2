#include "platform/foundation/DispatchQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/Clock.h"
#include "platform/foundation/DispatchGroup.h"
#include "platform/foundation/DispatchSemaphore.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/OperationQueue.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"

namespace foundation {
namespace {

constexpr TimeInterval kBound = 10.0;  // generous: only reached when something is wrong

bool runMainUntil(const std::function<bool()>& condition) {
    return RunLoop::main().runUntil(condition, kBound);
}

TEST(DispatchQueueTest, SerialQueueRunsBlocksOneAtATimeInOrder) {
    auto queue = DispatchQueue::makeSerial("com.example.serial");
    std::vector<int> order;
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    std::vector<std::string> labels;
    for (int i = 0; i < 200; ++i) {
        queue->async([&, i] {
            if (++inside > 1) {
                overlapped = true;
            }
            order.push_back(i);
            if (i == 0) {
                labels.push_back(DispatchQueue::currentLabel());
            }
            --inside;
        });
    }
    // A sync after asyncs from the same thread sees all of them done.
    std::size_t seen = 0;
    queue->sync([&] { seen = order.size(); });
    EXPECT_EQ(seen, 200u);
    EXPECT_FALSE(overlapped);
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(order[i], i);
    }
    EXPECT_EQ(labels, std::vector<std::string>{"com.example.serial"});
    EXPECT_EQ(queue->label(), "com.example.serial");
    EXPECT_EQ(DispatchQueue::currentLabel(), "main");
}

TEST(DispatchQueueTest, SyncFromInsideTheSameSerialQueueRunsInPlace) {
    auto queue = DispatchQueue::makeSerial("reentrant");
    std::vector<int> order;
    queue->sync([&] {
        order.push_back(1);
        queue->sync([&] { order.push_back(2); });
        order.push_back(3);
        EXPECT_TRUE(queue->isCurrent());
    });
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(queue->isCurrent());
}

// An idle serial queue runs a sync block on the waiting thread; blocks handed
// over meanwhile run after it, on the queue's thread, still one at a time.
TEST(DispatchQueueTest, SyncOnAnIdleSerialQueueRunsOnTheCallingThreadAsTheQueuesBlock) {
    auto queue = DispatchQueue::makeSerial("lock");
    const auto caller = std::this_thread::get_id();
    std::vector<std::string> order;
    std::thread::id ranOn;
    std::thread::id laterRanOn;
    queue->sync([&] {
        ranOn = std::this_thread::get_id();
        EXPECT_TRUE(queue->isCurrent());
        EXPECT_EQ(DispatchQueue::currentLabel(), "lock");
        queue->async([&] {
            laterRanOn = std::this_thread::get_id();
            order.push_back("async");
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        order.push_back("sync");
    });
    queue->sync([&] { order.push_back("second sync"); });
    EXPECT_EQ(ranOn, caller);
    EXPECT_NE(laterRanOn, caller);
    EXPECT_EQ(order, (std::vector<std::string>{"sync", "async", "second sync"}));
}

TEST(DispatchQueueTest, SyncHandsAnExceptionToTheCallerAndTheQueueGoesOn) {
    LogCapture log;
    auto queue = DispatchQueue::makeSerial("throws");
    EXPECT_THROW(queue->sync([] { throw std::runtime_error("no"); }), std::runtime_error);
    queue->async([] { throw std::runtime_error("reported, not fatal"); });
    bool ran = false;
    queue->sync([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(log.contains("throws: a block threw: reported, not fatal"));
}

TEST(DispatchQueueTest, ConcurrentQueueRunsBlocksTogetherAndBarriersAlone) {
    auto queue = DispatchQueue::makeConcurrent("com.example.concurrent");
    std::mutex mutex;
    std::atomic<int> running{0};
    int maxRunning = 0;
    std::vector<std::string> events;
    DispatchSemaphore bothStarted(0);
    std::atomic<int> started{0};

    auto reader = [&](const std::string& name, bool waitForPartner) {
        return [&, name, waitForPartner] {
            const int now = ++running;
            {
                std::lock_guard lock(mutex);
                maxRunning = std::max(maxRunning, now);
                events.push_back(name);
            }
            if (waitForPartner) {
                // Each of the first two waits for the other: only parallel blocks get past this.
                if (++started == 2) {
                    bothStarted.signal();
                    bothStarted.signal();
                }
                bothStarted.wait(kBound);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            --running;
        };
    };
    queue->async(reader("r1", true));
    queue->async(reader("r2", true));
    queue->barrierAsync([&] {
        std::lock_guard lock(mutex);
        EXPECT_EQ(running.load(), 0);
        events.push_back("barrier");
    });
    queue->async(reader("r3", false));
    queue->async(reader("r4", false));
    std::vector<std::string> snapshot;
    queue->barrierSync([&] {
        EXPECT_EQ(running.load(), 0);
        std::lock_guard lock(mutex);
        snapshot = events;
    });

    ASSERT_EQ(snapshot.size(), 5u);
    EXPECT_EQ(snapshot[2], "barrier");  // r1 and r2 before, r3 and r4 after
    EXPECT_EQ(std::count(snapshot.begin(), snapshot.begin() + 2, "r1"), 1);
    EXPECT_EQ(std::count(snapshot.begin() + 3, snapshot.end(), "r4"), 1);
    EXPECT_EQ(started.load(), 2);
    EXPECT_GE(maxRunning, 2);
}

TEST(DispatchQueueTest, MainQueueBlocksRunOnTheMainLoopInOrder) {
    std::vector<int> order;
    std::atomic<bool> onMain{true};
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) {
            DispatchQueue::main()->async([&, i] {
                onMain = onMain && Thread::isMainThread();
                order.push_back(i);
            });
        }
    });
    worker.join();
    EXPECT_TRUE(order.empty());
    EXPECT_TRUE(runMainUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(onMain);
}

TEST(DispatchQueueTest, RunOnMainSyncRunsInPlaceOnMainAndWaitsFromAWorker) {
    bool inPlace = false;
    DispatchQueue::runOnMainSync([&] { inPlace = true; });
    EXPECT_TRUE(inPlace);  // no loop turn needed on the main thread

    std::atomic<bool> workerDone{false};
    int ranOn = 0;
    auto queue = DispatchQueue::makeSerial("waits-for-main");
    queue->async([&] {
        DispatchQueue::runOnMainSync([&] { ranOn = Thread::isMainThread() ? 1 : 2; });
        workerDone = ranOn == 1;  // seen by the worker once the call returned
    });
    EXPECT_TRUE(runMainUntil([&] { return workerDone.load(); }));
}

TEST(DispatchQueueTest, AfterIsTimedOnTheMainLoopClock) {
    ManualClock clock;
    auto queue = DispatchQueue::makeSerial("later");
    std::atomic<int> fired{0};
    std::vector<int> mainOrder;
    queue->after(1.0, [&] { fired = DispatchQueue::currentLabel() == "later" ? 1 : -1; });
    DispatchQueue::main()->after(0.5, [&] { mainOrder.push_back(2); });
    DispatchQueue::main()->after(0.25, [&] { mainOrder.push_back(1); });

    clock.advance(0.9);
    EXPECT_EQ(mainOrder, (std::vector<int>{1, 2}));
    queue->sync([] {});
    EXPECT_EQ(fired.load(), 0);

    clock.advance(0.1);
    queue->sync([] {});
    EXPECT_EQ(fired.load(), 1);
}

TEST(DispatchQueueTest, ADroppedQueueFinishesItsPendingBlocks) {
    std::atomic<int> ran{0};
    DispatchSemaphore hold(0);
    {
        auto queue = DispatchQueue::makeSerial("dropped");
        queue->async([&] { hold.wait(kBound); });
        for (int i = 0; i < 5; ++i) {
            queue->async([&] { ++ran; });
        }
    }
    hold.signal();
    EXPECT_TRUE(runMainUntil([&] { return ran.load() == 5; }));
}

TEST(DispatchQueueDeathTest, TheProcessExitsWhileWorkerThreadsWaitOrWork) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            // Never released: the blocks below stay blocked through exit.
            auto* never = new DispatchSemaphore(0);
            static auto serial = DispatchQueue::makeSerial("busy-at-exit");
            auto concurrent = DispatchQueue::makeConcurrent("dropped-at-exit");
            serial->async([never] { never->wait(); });
            serial->async([] {});
            concurrent->async([never] { never->wait(); });
            DispatchQueue::global()->async(
                [] { std::this_thread::sleep_for(std::chrono::milliseconds(50)); });
            OperationQueue::main()->addOperation([] {});
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            std::exit(3);
        },
        testing::ExitedWithCode(3), "");
}

TEST(DispatchGroupTest, NotifyRunsOnceAllMembersLeftAndWaitHonoursItsTimeout) {
    auto queue = DispatchQueue::makeConcurrent("group-work");
    DispatchGroup group;
    DispatchSemaphore gate(0);
    std::atomic<int> done{0};
    for (int i = 0; i < 4; ++i) {
        group.async(*queue, [&] {
            gate.wait(kBound);
            ++done;
        });
    }
    group.enter();  // a member outside any queue, as a network call would be
    int notifiedWith = -1;
    group.notify(DispatchQueue::main(), [&] { notifiedWith = done.load(); });

    EXPECT_FALSE(group.wait(0.01));
    for (int i = 0; i < 4; ++i) {
        gate.signal();
    }
    RunLoop::main().runFor(0.02);
    EXPECT_EQ(notifiedWith, -1);  // the manual member is still in
    group.leave();
    EXPECT_TRUE(group.wait(kBound));
    EXPECT_TRUE(runMainUntil([&] { return notifiedWith != -1; }));
    EXPECT_EQ(notifiedWith, 4);

    bool emptyNotified = false;
    DispatchGroup empty;
    empty.notify(DispatchQueue::main(), [&] { emptyNotified = true; });
    EXPECT_TRUE(runMainUntil([&] { return emptyNotified; }));
    empty.leave();  // unbalanced: reported, ignored
    EXPECT_TRUE(empty.wait(0));
}

TEST(DispatchSemaphoreTest, CountsAndTimesOut) {
    DispatchSemaphore semaphore(1);
    EXPECT_TRUE(semaphore.wait(0));
    EXPECT_FALSE(semaphore.wait(0.01));
    std::thread signaller([&] { semaphore.signal(); });
    EXPECT_TRUE(semaphore.wait(kBound));
    signaller.join();
}

}  // namespace
}  // namespace foundation
