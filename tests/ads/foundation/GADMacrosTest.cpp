#include <gtest/gtest.h>

#include <thread>

#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADNetwork.h"
#include "ads/foundation/GADWeakTimerTarget.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"

namespace {

class RecordingChecker : public GADLogChecker {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

TEST(GADMacros, PublisherLogReachesTheChecker) {
    auto checker = std::make_shared<RecordingChecker>();
    GADMacros::setLogChecker(checker);
    foundation::LogCapture capture;
    GADMacros::pubLog("hello");
    EXPECT_TRUE(capture.contains("<Dezuvo> hello"));
    GADMacros::setLogChecker(nullptr);
    GADMacros::pubLog("unheard");
    EXPECT_EQ(checker->messages, std::vector<std::string>{"hello"});
}

TEST(GADMacros, RunsBlocksOnTheMainThread) {
    bool ranInline = false;
    GADMacros::runSynchronouslyOnMainThreadWithBlock([&] { ranInline = true; });
    EXPECT_TRUE(ranInline);

    bool onMain = false;
    bool done = false;
    std::thread worker([&] {
        GADMacros::runSynchronouslyOnMainThreadWithBlock(
            [&] { onMain = foundation::Thread::isMainThread(); });
        done = true;
    });
    foundation::RunLoop::main().runUntil([&] { return onMain; }, 10);
    worker.join();
    EXPECT_TRUE(onMain);
    EXPECT_TRUE(done);
}

struct Target {
    void fired(foundation::Timer&) { ++count; }
    int count = 0;
};

TEST(GADWeakTimerTarget, TimerNeverKeepsItsTargetAlive) {
    foundation::ManualClock clock;
    auto target = std::make_shared<Target>();
    auto timer = GADWeakTargetAdditions::gad_scheduledTimerWithTimeInterval(
        0.5, std::weak_ptr<Target>(target), &Target::fired, true);
    clock.advance(0.5);
    EXPECT_EQ(target->count, 1);

    std::weak_ptr<Target> weak = target;
    target.reset();
    EXPECT_TRUE(weak.expired());
    clock.advance(0.5);  // fires with the target gone: the timer ends itself
    EXPECT_FALSE(timer->isValid());
}

TEST(GADNetwork, CountsChangesAndRemembersTheLastReachableKind) {
    GADNetwork network;
    EXPECT_EQ(network.networkTypeString(), std::nullopt);
    network.setNetworkTypeFromFlags(0x2);      // reachable: Wi-Fi
    network.setNetworkTypeFromFlags(0x40000);  // WWAN without reachable: cellular
    network.setNetworkType(3);                 // same type: no change
    network.setNetworkType(0);                 // unknown: not counted
    EXPECT_EQ(network.changeCount(), 2u);
    EXPECT_EQ(network.networkTypeString(), std::nullopt);
    EXPECT_EQ(network.lastKnownNetworkTypeString(), std::optional<std::string>("ed"));
    network.setNetworkType(2);
    EXPECT_EQ(network.networkTypeString(), std::optional<std::string>("wi"));
}

}  // namespace
