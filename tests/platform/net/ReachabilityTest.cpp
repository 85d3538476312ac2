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
    // The name's first resolution, then the change.
    EXPECT_EQ(heard, (std::vector<std::uint32_t>{Flags::reachable, 0}));

    Reachability::setSimulatedNetworkFlags(Flags::reachable);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::uint32_t>{Flags::reachable, 0, Flags::reachable}));

    target->setCallback(nullptr);
    Reachability::setSimulatedNetworkFlags(0);
    clock.advance(Reachability::kPollInterval * 2);
    EXPECT_EQ(heard.size(), 3u);
}

TEST(ReachabilityTest, HostNamesReportOnceWhenWatchingStartsAddressesOnlyOnChange) {
    foundation::ManualClock clock;
    constexpr std::uint32_t loopback = Flags::reachable | Flags::isLocalAddress | Flags::isDirect;
    const struct {
        std::shared_ptr<Reachability> target;
        std::vector<std::uint32_t> heard;
    } cases[] = {
        {Reachability::withName("localhost"), {loopback}},
        {Reachability::withName("127.0.0.1"), {loopback}},
        // An unreachable host is reported too: its lookup ended.
        {Reachability::withName("ads.example.test"), {0}},
        {Reachability::withAddress("127.0.0.1"), {}},
        {Reachability::withAddress("0.0.0.0"), {}},
    };
    Reachability::setSimulatedNetworkFlags(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target->target());
        std::vector<std::uint32_t> heard;
        c.target->setCallback([&](std::uint32_t flags) { heard.push_back(flags); });
        // Another callback while watching is no new start.
        c.target->setCallback([&](std::uint32_t flags) { heard.push_back(flags); });
        EXPECT_TRUE(heard.empty()) << "reported on the queue, not from inside the call";
        foundation::RunLoop::main().runUntilIdle();
        clock.advance(Reachability::kPollInterval * 2);
        EXPECT_EQ(heard, c.heard);
        c.target->setCallback(nullptr);
    }
}

}  // namespace
