#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <thread>

#include "ads/foundation/GADCacheSet.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/ui/Application.h"

namespace {

// Notes the thread it is released on.
struct Member {
    explicit Member(std::shared_ptr<bool> releasedOnMain)
        : releasedOnMain(std::move(releasedOnMain)) {}
    ~Member() { *releasedOnMain = foundation::Thread::isMainThread(); }
    std::shared_ptr<bool> releasedOnMain;
};

std::shared_ptr<Member> member() {
    return std::make_shared<Member>(std::make_shared<bool>(false));
}

TEST(GADCacheSet, KeepsUpToItsCapacityAndHandsEachMemberOutOnce) {
    GADCacheSet<Member> set(2);
    const auto a = member();
    const auto b = member();
    const auto c = member();
    set.addObject(a);
    set.addObject(b);
    set.addObject(c);
    std::set<std::shared_ptr<Member>> taken{set.anyObject(), set.anyObject()};
    EXPECT_EQ(taken, (std::set<std::shared_ptr<Member>>{a, b}));
    EXPECT_EQ(set.anyObject(), nullptr);
    set.addObject(c);
    EXPECT_EQ(set.anyObject(), c);
}

TEST(GADCacheSet, AMemoryWarningEmptiesIt) {
    GADCacheSet<Member> set(4);
    set.addObject(member());
    set.addObject(member());
    foundation::NotificationCenter::defaultCenter().post(
        ui::ApplicationDidReceiveMemoryWarningNotification);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(set.anyObject(), nullptr);
}

TEST(GADCacheSet, MembersAreNeverReleasedOnItsQueue) {
    GADCacheSet<Member> set(1);
    auto kept = std::make_shared<bool>(false);
    auto dropped = std::make_shared<bool>(false);
    set.addObject(std::make_shared<Member>(kept));
    set.addObject(std::make_shared<Member>(dropped));
    set.removeAllObjects();
    EXPECT_TRUE(*kept);
    foundation::RunLoop::main().runUntil([&] { return dropped.use_count() == 1; }, 10);
    EXPECT_TRUE(*dropped);
}

}  // namespace
