#include <gtest/gtest.h>

#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/Reachability.h"

using net::Reachability;
namespace Flags = net::ReachabilityFlags;

namespace {

TEST(ReachabilityTest, SimulatedStateAnswersRemoteTargetsButNotLoopback) {
    auto remote = Reachability::withAddress("0.0.0.0");
    auto loopback = Reachability::withName("localhost");
    ASSERT_TRUE(remote && loopback);

    Reachability::setSimulatedNetworkFlags(0);
    EXPECT_EQ(remote->flags(), 0u);
    EXPECT_FALSE(remote->isReachable());
    EXPECT_TRUE(loopback->isReachable());

    Reachability::setSimulatedNetworkFlags(Flags::reachable | Flags::isWWAN);
    EXPECT_EQ(remote->flags(), Flags::reachable | Flags::isWWAN);
}

TEST(ReachabilityTest, BadTargetsMakeNoReference) {
    EXPECT_EQ(Reachability::withAddress("not an address"), nullptr);
    EXPECT_EQ(Reachability::withName(""), nullptr);
}

TEST(ReachabilityTest, WatcherHearsEachChangeOnceOnItsQueue) {
    foundation::ManualClock clock;
    Reachability::setSimulatedNetworkFlags(Flags::reachable);
    auto target = Reachability::withName("ads.example.test");
    std::vector<std::uint32_t> heard;
    target->setCallback([&](std::uint32_t flags) { heard.push_back(flags); });

    Reachability::setSimulatedNetworkFlags(0);
    Reachability::setSimulatedNetworkFlags(0);
    foundation::RunLoop::main().runUntilIdle();
    clock.advance(Reachability::kPollInterval * 3);
    EXPECT_EQ(heard, std::vector<std::uint32_t>{0});

    Reachability::setSimulatedNetworkFlags(Flags::reachable);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::uint32_t>{0, Flags::reachable}));

    target->setCallback(nullptr);
    Reachability::setSimulatedNetworkFlags(0);
    clock.advance(Reachability::kPollInterval * 2);
    EXPECT_EQ(heard.size(), 2u);
}

}  // namespace
