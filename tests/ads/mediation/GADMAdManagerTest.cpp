#include <gtest/gtest.h>

#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADMAdManager.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "tests/ads/mediation/PingServer.h"
#include "tests/ads/mediation/RecordingMediationDelegate.h"
#include "tests/ads/mediation/TestAdapters.h"

namespace {

using mediation_test::lastAdapter;
using mediation_test::TestAdapter;

// A configuration of networks, one per adapter name ("" for an entry
// without adapters), with a 2 s time-out.
std::shared_ptr<GADMConfig> configWith(const std::vector<std::string>& adapters,
                                       const std::string& adType = "banner") {
    std::string networks;
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        networks += (i ? "," : "") + std::string(R"({"id": "n)") + std::to_string(i) + "\"" +
                    (adapters[i].empty() ? "" : R"(, "adapters": [")" + adapters[i] + "\"]") + "}";
    }
    std::optional<GADRequestError> error;
    return GADMConfig::make(
        "unit-1",
        *GADMacros::readJsonIntoDictionary(R"({"ad_type": ")" + adType +
                                           R"(", "settings": {"ad_network_timeout_millis": 2000},
                                              "ad_networks": [)" +
                                           networks + "]}"),
        error);
}

class GADMAdManagerTest : public testing::Test {
  protected:
    void SetUp() override {
        mediation_test::registerTestAdapters();
        manager->setDelegate(delegate);
    }

    void mediate(const std::vector<std::string>& adapters, const std::string& adType = "banner") {
        auto config = configWith(adapters, adType);
        manager->mediateForAdType(config->adType(), config);
    }

    mediation_test::PingServer pings;
    foundation::ManualClock clock;
    std::shared_ptr<mediation_test::RecordingMediationDelegate> delegate =
        std::make_shared<mediation_test::RecordingMediationDelegate>();
    std::shared_ptr<GADMAdManager> manager = std::make_shared<GADMAdManager>();
};

TEST_F(GADMAdManagerTest, FirstFailsSecondTimesOutThirdFills) {
    mediate({"", "TestFailingAdapter", "TestSilentAdapter", "TestFillingAdapter"});
    // The failure came at once; the silent network waits for its time-out.
    EXPECT_EQ(delegate->exitCodes, (std::vector<std::int64_t>{4, 1}));
    EXPECT_TRUE(manager->requestInProgress());
    ASSERT_TRUE(manager->adNetworkTimeoutTimer());
    TestAdapter* silent = lastAdapter();
    // Kept so the network can answer after its turn.
    std::shared_ptr<GADMAdNetworkConnector> silentConnector = manager->requestingConnector();
    ASSERT_EQ(silent->bannerRequests.size(), 1u);
    EXPECT_TRUE(GADAdSizeIsEqualToAdSize(silent->bannerRequests[0], kGADAdSizeBanner));
    clock.advance(1.9);
    EXPECT_TRUE(delegate->events.empty());
    clock.advance(0.1);
    EXPECT_EQ(silent->stops, 1);
    EXPECT_FALSE(silentConnector->adManager());
    EXPECT_EQ(delegate->exitCodes, (std::vector<std::int64_t>{4, 1, 3, 0}));
    EXPECT_EQ(delegate->events, std::vector<std::string>{"ad"});
    EXPECT_EQ(delegate->lastView, lastAdapter()->view);
    EXPECT_EQ(delegate->timingsStarted, 4);
    EXPECT_FALSE(manager->requestInProgress());
    EXPECT_FALSE(manager->adNetworkTimeoutTimer());
    EXPECT_EQ(manager->receivedConnector(), manager->requestingConnector());

    // The silent network answers after its turn: nobody hears it.
    silent->deliverBanner();
    silent->fail();
    EXPECT_EQ(delegate->events, std::vector<std::string>{"ad"});
    EXPECT_EQ(delegate->exitCodes.size(), 4u);
}

TEST_F(GADMAdManagerTest, NoFillAfterEveryNetwork) {
    mediate({"", ""});
    EXPECT_EQ(delegate->exitCodes, (std::vector<std::int64_t>{4, 4}));
    EXPECT_EQ(delegate->events, std::vector<std::string>{"fail 9"});
    EXPECT_FALSE(manager->adNetworkTimeoutTimer());

    delegate->events.clear();
    mediate({"TestSilentAdapter", "TestFailingAdapter"});
    clock.advance(2);
    // Other errors than no fill count as 2.
    EXPECT_EQ(delegate->events, std::vector<std::string>{"fail 9"});
    EXPECT_EQ(delegate->exitCodes, (std::vector<std::int64_t>{4, 4, 3, 1}));
}

TEST_F(GADMAdManagerTest, ErrorsOtherThanNoFillCountAsErrors) {
    mediate({"TestSilentAdapter", "TestSilentAdapter", "TestSilentAdapter"});
    lastAdapter()->fail(1, "other.domain");
    lastAdapter()->fail(3);
    lastAdapter()->fail(1);
    EXPECT_EQ(delegate->exitCodes, (std::vector<std::int64_t>{2, 2, 1}));
    EXPECT_EQ(delegate->events, std::vector<std::string>{"fail 9"});
}

TEST_F(GADMAdManagerTest, BannerRefreshesAndRefreshFailures) {
    mediate({"TestSilentAdapter", "TestFillingAdapter"});
    TestAdapter* shown = lastAdapter();
    shown->deliverBanner();
    shown->deliverBanner();
    shown->deliverBanner();
    EXPECT_EQ(delegate->exitCodes, (std::vector<std::int64_t>{0, 0, 0}));
    shown->fail(3);
    // A refresh failure keeps the waterfall where it is.
    EXPECT_EQ(delegate->events,
              (std::vector<std::string>{"ad", "ad", "ad", "refresh failed 3 network said no"}));
    EXPECT_EQ(delegate->exitCodes.size(), 3u);
    EXPECT_EQ(delegate->timingsStarted, 1);
    clock.advance(10);
    EXPECT_EQ(delegate->events.size(), 4u);
}

TEST_F(GADMAdManagerTest, ShownBannerAnsweringDuringANewWaterfall) {
    mediate({"TestFillingAdapter"});
    TestAdapter* shown = lastAdapter();
    mediate({"TestSilentAdapter", "TestFillingAdapter"});
    const auto timer = manager->adNetworkTimeoutTimer();
    ASSERT_TRUE(timer);
    // The shown network refreshes and fails while the new waterfall runs:
    // the running turn keeps its timer and nothing reaches the delegate.
    shown->deliverBanner();
    shown->fail();
    EXPECT_TRUE(timer->isValid());
    EXPECT_TRUE(manager->requestInProgress());
    EXPECT_EQ(delegate->events, std::vector<std::string>{"ad"});
    EXPECT_EQ(delegate->exitCodes, (std::vector<std::int64_t>{0}));
    clock.advance(2);
    // The new waterfall ends with its one outcome and its network is shown.
    EXPECT_EQ(delegate->events, (std::vector<std::string>{"ad", "ad"}));
    EXPECT_EQ(delegate->exitCodes, (std::vector<std::int64_t>{0, 3, 0}));
    EXPECT_EQ(delegate->lastView, lastAdapter()->view);
    // The replaced network is let go.
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(TestAdapter::live().size(), 1u);
}

TEST_F(GADMAdManagerTest, SecondMediationDuringAWaterfallKeepsItsQueue) {
    mediate({"TestSilentAdapter", "TestFillingAdapter"});
    auto other = configWith({"TestFailingAdapter"});
    manager->mediateForAdType(other->adType(), other);
    EXPECT_EQ(manager->config(), other);
    EXPECT_EQ(delegate->timingsStarted, 1);
    clock.advance(2);
    EXPECT_EQ(delegate->exitCodes, (std::vector<std::int64_t>{3, 0}));
}

TEST_F(GADMAdManagerTest, CancelEndsTheRunningRequest) {
    mediate({"TestSilentAdapter", "TestFillingAdapter"});
    std::shared_ptr<GADMAdNetworkConnector> connector = manager->requestingConnector();
    manager->setDelegate(nullptr);
    manager->cancel();
    EXPECT_FALSE(manager->requestInProgress());
    EXPECT_FALSE(manager->adNetworkTimeoutTimer());
    EXPECT_FALSE(manager->requestingConnector());
    EXPECT_FALSE(connector->adManager());
    EXPECT_EQ(lastAdapter()->stops, 1);
    // Neither the time-out nor the rest of the queue runs.
    clock.advance(5);
    EXPECT_TRUE(delegate->events.empty());
    EXPECT_EQ(delegate->timingsStarted, 1);
    // The manager is ready for the next mediation, which reports.
    manager->setDelegate(delegate);
    mediate({"TestFillingAdapter"});
    EXPECT_EQ(delegate->events, std::vector<std::string>{"ad"});
}

TEST_F(GADMAdManagerTest, LateAnswerOfACancelledNetwork) {
    mediate({"TestSilentAdapter"});
    std::shared_ptr<GADMAdNetworkConnector> connector = manager->requestingConnector();
    TestAdapter* cancelled = lastAdapter();
    manager->cancel();
    manager->setDelegate(delegate);
    mediate({"TestSilentAdapter"});
    cancelled->deliverBanner();
    cancelled->fail();
    EXPECT_TRUE(delegate->events.empty());
    EXPECT_TRUE(manager->requestInProgress());
    clock.advance(2);
    EXPECT_EQ(delegate->events, std::vector<std::string>{"fail 9"});
}

TEST_F(GADMAdManagerTest, Interstitials) {
    mediate({"TestSilentAdapter"}, "interstitial");
    TestAdapter* adapter = lastAdapter();
    EXPECT_EQ(adapter->interstitialRequests, 1);
    adapter->deliverInterstitial();
    adapter->deliverInterstitial();
    // Delivered twice: exit code 0 once.
    EXPECT_EQ(delegate->exitCodes, (std::vector<std::int64_t>{0}));
    EXPECT_EQ(delegate->events, (std::vector<std::string>{"interstitial", "interstitial"}));
    EXPECT_FALSE(manager->requestingConnector());
    manager->presentInterstitialFromRootViewController(nullptr);
    EXPECT_EQ(adapter->presentations, 1);
}

TEST_F(GADMAdManagerTest, BannerOfAnInvalidSizeIsNeverAsked) {
    auto config = configWith({"TestFillingAdapter"});
    manager->mediateForAdType(GADAdType::bannerAdTypeForSize(kGADAdSizeInvalid), config);
    EXPECT_TRUE(lastAdapter()->bannerRequests.empty());
    clock.advance(2);
    EXPECT_EQ(delegate->exitCodes, (std::vector<std::int64_t>{3}));
    EXPECT_EQ(delegate->events, std::vector<std::string>{"fail 9"});
}

TEST_F(GADMAdManagerTest, MediationOffTheMainThreadHopsToIt) {
    auto config = configWith({"TestFillingAdapter"});
    std::thread worker([&] { manager->mediateForAdType(config->adType(), config); });
    worker.join();
    EXPECT_TRUE(delegate->events.empty());
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(delegate->events, std::vector<std::string>{"ad"});
}

TEST_F(GADMAdManagerTest, ChangingTheAdTypeAsksTheShownAdapter) {
    EXPECT_FALSE(manager->changeAdTypeTo(GADAdType::bannerAdTypeForSize(kGADAdSizeLargeBanner)));
    mediate({"TestFillingAdapter"});
    // The test adapters cannot resize.
    EXPECT_FALSE(manager->changeAdTypeTo(GADAdType::bannerAdTypeForSize(kGADAdSizeLargeBanner)));
    EXPECT_TRUE(manager->adType()->isEqual(*GADAdType::bannerAdTypeForSize(kGADAdSizeLargeBanner)));
}

}  // namespace
