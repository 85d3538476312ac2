#include "platform/foundation/RunLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/Clock.h"
#include "platform/foundation/Thread.h"
#include "platform/foundation/Timer.h"

namespace foundation {
namespace {

class RunLoopTest : public testing::Test {
  protected:
    ManualClock clock;
    RunLoop& loop = RunLoop::main();
    std::vector<std::string> log;

    auto note(std::string entry) {
        return [this, entry] { log.push_back(entry + "@" + std::to_string(clock.elapsed())); };
    }
};

TEST_F(RunLoopTest, TestsRunOnTheMainThread) {
    EXPECT_TRUE(Thread::isMainThread());
    EXPECT_TRUE(RunLoop::current().isMain());
    bool workerIsMain = true;
    std::thread([&] {
        workerIsMain = Thread::isMainThread() || RunLoop::current().isMain();
    }).join();
    EXPECT_FALSE(workerIsMain);
}

TEST_F(RunLoopTest, AdvanceFiresInDeadlineOrderEachAtItsOwnTime) {
    loop.performAfter(0.5, note("c"));
    loop.performAfter(0.1, note("a"));
    loop.performAfter(0.25, note("b"));
    loop.performAfter(0.25, note("b2"));  // equal deadline: order of scheduling
    loop.performAfter(0.75, note("late"));

    clock.advance(0.5);

    EXPECT_EQ(log,
              (std::vector<std::string>{"a@0.100000", "b@0.250000", "b2@0.250000", "c@0.500000"}));
    EXPECT_EQ(loop.pendingCount(), 1u);
    EXPECT_DOUBLE_EQ(clock.elapsed(), 0.5);
}

TEST_F(RunLoopTest, SumsOfDelaysMeetTheirDeadlineExactly) {
    // 0.1 + 0.2 is not 0.3 in binary floating point; deadlines are whole nanoseconds.
    loop.performAfter(0.1, [&] { loop.performAfter(0.2, note("chained")); });
    clock.advance(0.3);
    EXPECT_EQ(log, (std::vector<std::string>{"chained@0.300000"}));
}

TEST_F(RunLoopTest, ZeroDelayRunsOnTheNextTurnAfterWhatIsAlreadyDue) {
    loop.perform(note("posted-first"));
    loop.performAfter(0, [&] {
        log.push_back("zero");
        loop.perform(note("posted-inside"));
        log.push_back("zero-returns");
    });
    loop.perform(note("posted-last"));
    EXPECT_TRUE(log.empty());  // nothing runs inline

    EXPECT_EQ(loop.runUntilIdle(), 4u);
    EXPECT_EQ(log, (std::vector<std::string>{"posted-first@0.000000", "zero", "zero-returns",
                                             "posted-last@0.000000", "posted-inside@0.000000"}));
}

TEST_F(RunLoopTest, TimersScheduledInsideTimersFireWithinTheSameAdvance) {
    loop.performAfter(0.1, [&] {
        log.push_back("outer@" + std::to_string(clock.elapsed()));
        loop.performAfter(0.1, note("inner"));
        loop.performAfter(0.0, note("inner-now"));
        loop.performAfter(5.0, note("inner-late"));
    });
    loop.performAfter(0.15, note("between"));

    clock.advance(1.0);

    EXPECT_EQ(log, (std::vector<std::string>{"outer@0.100000", "inner-now@0.100000",
                                             "between@0.150000", "inner@0.200000"}));
}

TEST_F(RunLoopTest, CancelPerformsByOwnerAndByTag) {
    int owner = 0;
    int other = 0;
    loop.performAfter(0.1, note("owner-save"), &owner, "save");
    loop.performAfter(0.2, note("owner-thumb"), &owner, "thumb");
    loop.performAfter(0.3, note("other-save"), &other, "save");
    auto single = loop.performAfter(0.4, note("single"));

    loop.cancelPerforms(&owner, "save");
    single->invalidate();
    clock.advance(0.15);
    loop.cancelPerforms(&owner);
    clock.advance(1.0);

    EXPECT_EQ(log, (std::vector<std::string>{"other-save@0.300000"}));
    EXPECT_EQ(loop.pendingCount(), 0u);
}

TEST_F(RunLoopTest, CancellingFromInsideAnEarlierPerformStopsALaterOneDueAtTheSameTime) {
    int owner = 0;
    loop.performAfter(0.2, [&] { loop.cancelPerforms(&owner); });
    loop.performAfter(0.2, note("cancelled"), &owner, "x");
    clock.advance(0.2);
    EXPECT_TRUE(log.empty());
}

TEST_F(RunLoopTest, RepeatingTimerKeepsItsRhythmUntilInvalidatedFromItsCallback) {
    std::vector<double> fires;
    auto timer = Timer::scheduled(0.2, true, [&](Timer& t) {
        fires.push_back(clock.elapsed());
        if (fires.size() == 3) {
            t.invalidate();
        }
    });
    loop.performAfter(0.3, note("between"));

    clock.advance(0.5);
    EXPECT_EQ(fires, (std::vector<double>{0.2, 0.4}));
    EXPECT_TRUE(timer->isValid());
    EXPECT_NEAR(timer->fireDate() - Clock::monotonic(), 0.1, 1e-9);

    clock.advance(10.0);
    EXPECT_EQ(fires, (std::vector<double>{0.2, 0.4, 0.6}));
    EXPECT_FALSE(timer->isValid());
    EXPECT_EQ(log, (std::vector<std::string>{"between@0.300000"}));
}

TEST_F(RunLoopTest, OneShotTimerIsInvalidAfterFiringAndReleasesItsCallback) {
    auto captured = std::make_shared<int>(7);
    std::weak_ptr<int> watch = captured;
    bool validInside = false;
    auto timer = Timer::scheduled(
        0.1, false, [&, captured = std::move(captured)](Timer& t) { validInside = t.isValid(); });
    clock.advance(0.1);
    EXPECT_TRUE(validInside);
    EXPECT_FALSE(timer->isValid());
    EXPECT_TRUE(watch.expired());
}

TEST_F(RunLoopTest, RunLoopKeepsAScheduledTimerAliveWhileItsOwnerHoldsItWeakly) {
    int fires = 0;
    std::weak_ptr<Timer> weak = Timer::scheduled(0.5, true, [&](Timer&) { ++fires; });
    clock.advance(1.0);
    EXPECT_EQ(fires, 2);
    ASSERT_FALSE(weak.expired());
    weak.lock()->invalidate();
    EXPECT_TRUE(weak.expired());
}

TEST_F(RunLoopTest, TimeStandsStillUntilAdvancedAndAllClocksMoveTogether) {
    const double wall = Clock::wall();
    const double monotonic = Clock::monotonic();
    const double boot = Clock::boot();
    EXPECT_DOUBLE_EQ(wall, ManualClock::kDefaultWallStart);
    loop.performAfter(0.25, note("due"));
    EXPECT_FALSE(
        loop.runUntil([] { return false; }, 0.01));  // real time passes, manual time does not
    EXPECT_TRUE(log.empty());

    clock.advance(2.5);
    EXPECT_DOUBLE_EQ(Clock::wall() - wall, 2.5);
    EXPECT_NEAR(Clock::monotonic() - monotonic, 2.5, 1e-9);
    EXPECT_NEAR(Clock::boot() - boot, 2.5, 1e-9);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(RunLoopTest, RunUntilReturnsWhenWorkPostedFromAnotherThreadMeetsTheCondition) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        loop.perform([&] { done = Thread::isMainThread(); });
    });
    EXPECT_TRUE(loop.runUntil([&] { return done.load(); }, 10.0));
    worker.join();
}

TEST_F(RunLoopTest, StopEndsRunAndAStopBeforeRunIsNotLost) {
    loop.perform([&] { loop.stop(); });
    loop.performAfter(0, note("after-stop"));
    loop.run();
    EXPECT_TRUE(log.empty());  // run() ended after the item that stopped it

    loop.stop();
    loop.run();  // returns at once
    EXPECT_EQ(loop.runUntilIdle(), 1u);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(RunLoopTest, AWorkerThreadRunsItsOwnLoopUntilStopped) {
    std::atomic<bool> stoppedOnWorker{false};
    RunLoop* workerLoop = nullptr;
    std::atomic<bool> ready{false};
    std::thread worker([&] {
        workerLoop = &RunLoop::current();
        workerLoop->perform([&] { ready = true; });
        workerLoop->run();
        stoppedOnWorker = true;
    });
    while (!ready) {
        std::this_thread::yield();
    }
    workerLoop->perform([&] { RunLoop::current().stop(); });
    worker.join();
    EXPECT_TRUE(stoppedOnWorker);
}

TEST(RunLoopClockTest, EndingTheManualClockDropsWhatItScheduled) {
    bool fired = false;
    {
        ManualClock clock;
        RunLoop::main().performAfter(0.01, [&] { fired = true; });
    }
    EXPECT_EQ(RunLoop::main().pendingCount(), 0u);
    RunLoop::main().runFor(0.05);
    EXPECT_FALSE(fired);
}

TEST(RunLoopClockTest, RealClockFiresTimersWhileRunning) {
    std::vector<int> order;
    RunLoop::main().performAfter(0.03, [&] { order.push_back(2); });
    RunLoop::main().performAfter(0.01, [&] { order.push_back(1); });
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return order.size() == 2; }, 10.0));
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST_F(RunLoopTest, AThreadsLoopAsATaskQueueRunsBlocksOnThatThreadUntilTheThreadEnds) {
    std::shared_ptr<foundation::TaskQueue> queue;
    std::thread::id ranOn;
    bool wasCurrent = false;
    std::thread worker([&] {
        auto& loop = RunLoop::current();
        queue = loop.taskQueue();
        EXPECT_TRUE(queue->isCurrent());
        queue->async([&] {
            ranOn = std::this_thread::get_id();
            wasCurrent = queue->isCurrent();
            RunLoop::current().stop();
        });
        loop.run();
        EXPECT_EQ(ranOn, std::this_thread::get_id());
    });
    worker.join();
    EXPECT_TRUE(wasCurrent);
    EXPECT_FALSE(queue->isCurrent());
    // The loop went with its thread: what it is handed now is dropped.
    bool ran = false;
    queue->async([&] { ran = true; });
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace foundation
