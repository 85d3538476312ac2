#include "ads/foundation/GADApplication.h"

#include <gtest/gtest.h>

#include "ads/foundation/GADAbsoluteTime.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"

using foundation::Dictionary;
using foundation::Value;

namespace {

class GADApplicationTest : public testing::Test {
  protected:
    void SetUp() override {
        application.reset();
        GADAbsoluteTime::reset();
    }
    void TearDown() override {
        ui::Application::shared().reset();
        application.reset();
    }
    GADApplication& application = GADApplication::sharedApplication();
};

TEST(GADSession, IdentifierIsPartOfTheDigestOfTheUUID) {
    foundation::UUID::Bytes zero{};
    EXPECT_EQ(GADSession::GADMakeSessionID(foundation::UUID(zero)), 11896337731639693945u);
    foundation::UUID::Bytes counting;
    for (std::uint8_t i = 0; i < 16; ++i) {
        counting[i] = i;
    }
    EXPECT_EQ(GADSession::GADMakeSessionID(foundation::UUID(counting)), 12160368917799883744u);
    GADSession first;
    GADSession second;
    EXPECT_NE(first.sessionID(), second.sessionID());
    EXPECT_EQ(first.sessionIDAsString(), std::to_string(first.sessionID()));
}

TEST_F(GADApplicationTest, RequestsCountAndStampTheApplicationStatistics) {
    foundation::ManualClock clock;
    EXPECT_EQ(application.timeSinceFirstAdRequestInMilliseconds(), 0u);
    Dictionary first = application.nextRequestStatisticsDictionaryForSlot(false);
    EXPECT_EQ(Value(first)["preqs"], Value(0));
    EXPECT_EQ(Value(first)["seq_num"], Value(1));
    EXPECT_EQ(Value(first)["basets"], Value(first)["currts"]);
    EXPECT_EQ(Value(first)["session_id"], Value(application.currentSession().sessionIDAsString()));

    clock.advance(1.5);
    Dictionary second = application.nextRequestStatisticsDictionaryForSlot(false);
    EXPECT_EQ(Value(second)["preqs"], Value(1));
    EXPECT_EQ(Value(second)["seq_num"], Value(2));
    EXPECT_EQ(Value(second)["basets"], Value(first)["basets"]);
    EXPECT_EQ(Value(second)["currts"].integerValue() - Value(first)["currts"].integerValue(), 1500);
    EXPECT_EQ(application.timeSinceFirstAdRequestInMilliseconds(), 1500u);

    Dictionary mediating = application.nextRequestStatisticsDictionaryForSlot(true);
    EXPECT_EQ(Value(mediating)["preqs"], Value(0));
    EXPECT_EQ(Value(mediating)["seq_num"], Value(3));

    // The pings' sequence text is the request count, while the sequence rises.
    EXPECT_EQ(application.nextSequenceNumberAsString(), "0");
    EXPECT_EQ(application.statistics()->objectForKey("seq_num"), Value(4));
    application.incrementTotalAdClickCount();
    EXPECT_EQ(application.statistics()->objectForKey("pclick"), Value(1));
}

TEST_F(GADApplicationTest, ChangedAdStatisticsArePendingUntilTakenOrGivenBack) {
    std::shared_ptr<GADStatisticDictionary> ad =
        GADStatisticDictionary::make(application.shared_from_this());
    std::shared_ptr<GADStatisticDictionary> quiet =
        GADStatisticDictionary::make(application.shared_from_this());
    ad->setObject("tload", 5, true);
    quiet->setObject("tload", 5, false);
    ad->didFinishModifying();  // the notice has arrived
    GADStatisticSet pending = application.pendingAdStatistics();
    EXPECT_EQ(pending, GADStatisticSet{ad});
    EXPECT_TRUE(application.pendingAdStatistics().empty());
    application.didNotSendAdStatistics(pending);
    EXPECT_EQ(application.pendingAdStatistics(), GADStatisticSet{ad});
}

TEST_F(GADApplicationTest, ReturningFromAClickRecordsOnePair) {
    foundation::ManualClock clock;
    auto clicked = GADStatisticDictionary::make(application.shared_from_this());
    clicked->setObject("tclickcurr", 100, false);
    auto unclicked = GADStatisticDictionary::make(application.shared_from_this());

    application.willLeaveApplicationDueToClickOnAd(clicked);
    clock.advance(2);
    ui::Application::shared().becomeActive();
    foundation::RunLoop::main().runUntilIdle();
    ui::Application::shared().resignActive();
    ui::Application::shared().becomeActive();  // a second return adds nothing
    foundation::RunLoop::main().runUntilIdle();
    foundation::Value pairs = clicked->objectForKey("tclick");
    ASSERT_EQ(pairs.count(), 1u);
    EXPECT_EQ(pairs[0][0], Value(100));
    EXPECT_EQ(pairs[0][1].integerValue(), clicked->objectForKey("tclick")[0][1].integerValue());
    clicked->didFinishModifying();
    EXPECT_EQ(application.pendingAdStatistics(), GADStatisticSet{clicked});

    application.willLeaveApplicationDueToClickOnAd(unclicked);
    application.didBecomeActive();
    EXPECT_TRUE(unclicked->objectForKey("tclick").isNull());
}

TEST_F(GADApplicationTest, SlotStatisticsByIdentifier) {
    EXPECT_TRUE(application.slotStatisticsDictionary().empty());
    auto slot = application.slotStatisticsForSlotID("unit");
    EXPECT_EQ(application.slotStatisticsForSlotID("unit"), slot);
    slot->setObject("k", 1, false);
    EXPECT_EQ(application.slotStatisticsDictionary(), (Dictionary{{"unit", Dictionary{{"k", 1}}}}));
}

TEST_F(GADApplicationTest, StoreSheetsAreGivenOutOnce) {
    auto sheet = std::make_shared<services::StoreProductViewController>();
    application.finishedUsingStoreProductViewController(sheet, "42");
    application.finishedUsingStoreProductViewController(nullptr, "43");
    EXPECT_EQ(application.cachedStoreProductViewControllerForProductID(std::nullopt), nullptr);
    EXPECT_EQ(application.cachedStoreProductViewControllerForProductID("42"), sheet);
    EXPECT_EQ(application.cachedStoreProductViewControllerForProductID("42"), nullptr);

    application.setDiscardableStoreProductViewControllerAppCacheMaxSize(0);
    application.finishedUsingStoreProductViewController(sheet, "42");
    EXPECT_EQ(application.cachedStoreProductViewControllerForProductID("42"), nullptr);

    application.setDiscardableStoreProductViewControllerAppCacheMaxSize(2);
    auto other = std::make_shared<services::StoreProductViewController>();
    application.finishedUsingStoreProductViewController(sheet, "1");
    application.finishedUsingStoreProductViewController(other, "2");
    EXPECT_EQ(application.cachedStoreProductViewControllerForProductID("1"), sheet);
    EXPECT_EQ(application.cachedStoreProductViewControllerForProductID("2"), other);
}

TEST_F(GADApplicationTest, ActiveUnlessInTheBackgroundAfterLaunching) {
    ui::Application& host = ui::Application::shared();
    host.enterBackground();
    EXPECT_TRUE(application.isAppActive());  // launch not finished yet
    application.setAppFinishedLaunching(true);
    EXPECT_FALSE(application.isAppActive());
    host.enterForeground();
    EXPECT_TRUE(application.isAppActive());
}

TEST(GADApplication, NavigationSchemesAreLowerCasedAndCompleted) {
    std::set<std::string> schemes =
        GADApplication::normalizedWebViewNavigationSchemes({"HTTP", "TeL", 3});
    EXPECT_EQ(schemes, (std::set<std::string>{"about", "file", "gmsg", "http", "https",
                                              "publishertoolbar", "tel"}));
}

}  // namespace
