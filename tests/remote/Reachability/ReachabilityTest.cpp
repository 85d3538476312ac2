#include <gtest/gtest.h>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/Reachability.h"
#include "remote/Reachability/Reachability.h"

namespace {

TEST(ReachabilityTest, FlagsMeanWhatTheRulesSay) {
    auto reach = Reachability::reachabilityWithHostname("apps.example");
    ASSERT_NE(reach, nullptr);
    const struct {
        std::uint32_t flags;
        bool onWWAN;
        bool reachable;
    } cases[] = {
        {2, true, true},
        {2 | 0x40000, false, false},  // cellular does not count when not allowed
        {2 | 0x40000, true, true},
        {2 | 1 | 4, true, false},  // transient and connection required together
        {2 | 4, true, true},
        {0, true, false},
    };
    for (const auto& c : cases) {
        reach->reachableOnWWAN = c.onWWAN;
        EXPECT_EQ(reach->isReachableWithFlags(c.flags), c.reachable) << c.flags << " " << c.onWWAN;
    }
    EXPECT_EQ(Reachability::flagsText(2 | 0x40000), "WR -------");
    EXPECT_EQ(Reachability::flagsText(0x3003F), "-R ctiCDld");
}

TEST(ReachabilityTest, CurrentStateComesFromTheNetworkEachTime) {
    auto reach = Reachability::reachabilityWithHostname("apps.example");
    reach->reachableOnWWAN = false;
    net::Reachability::setSimulatedNetworkFlags(2 | 0x40000);
    EXPECT_FALSE(reach->isReachable());
    EXPECT_TRUE(reach->isReachableViaWWAN());
    EXPECT_EQ(reach->currentReachabilityStatus(), ReachabilityStatus::NotReachable);
    net::Reachability::setSimulatedNetworkFlags(2);
    EXPECT_EQ(reach->currentReachabilityStatus(), ReachabilityStatus::ReachableViaWiFi);
    EXPECT_EQ(reach->currentReachabilityString(), "WiFi");
    net::Reachability::setSimulatedNetworkFlags(4 | 0x20);
    EXPECT_TRUE(reach->isConnectionOnDemand());
    EXPECT_FALSE(reach->isInterventionRequired());
    net::Reachability::setSimulatedNetworkFlags(std::nullopt);
}

TEST(ReachabilityTest, AStartedWatcherReportsChangesByBlockAndNotification) {
    net::Reachability::setSimulatedNetworkFlags(0);
    auto reach = Reachability::reachabilityWithHostname("apps.example");
    std::atomic<int> reachable{0};
    std::atomic<int> unreachable{0};
    reach->reachableBlock = [&](Reachability&) { ++reachable; };
    reach->unreachableBlock = [&](Reachability&) { ++unreachable; };
    int notes = 0;
    auto token = foundation::NotificationCenter::defaultCenter().addObserver(
        kReachabilityChangedNotification, reach.get(), nullptr,
        [&](const foundation::Notification&) { ++notes; });
    EXPECT_TRUE(reach->startNotifier());
    EXPECT_TRUE(reach->startNotifier());
    // The host's first lookup is reported once, then each change.
    EXPECT_TRUE(foundation::RunLoop::main().runUntil([&] { return notes == 1; }, 10));
    EXPECT_EQ(unreachable.load(), 1);
    net::Reachability::setSimulatedNetworkFlags(2);
    EXPECT_TRUE(foundation::RunLoop::main().runUntil([&] { return notes == 2; }, 10));
    EXPECT_EQ(reachable.load(), 1);
    net::Reachability::setSimulatedNetworkFlags(0);
    EXPECT_TRUE(foundation::RunLoop::main().runUntil([&] { return notes == 3; }, 10));
    EXPECT_EQ(unreachable.load(), 2);
    reach->stopNotifier();
    net::Reachability::setSimulatedNetworkFlags(2);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(reachable.load(), 1);
    foundation::NotificationCenter::defaultCenter().removeObserver(token);
    net::Reachability::setSimulatedNetworkFlags(std::nullopt);
}

}  // namespace
