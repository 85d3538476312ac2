#include <gtest/gtest.h>

#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADMacros.h"
#include "ads/mediation/GADMToGADGlue.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "tests/ads/mediation/PingServer.h"
#include "tests/ads/mediation/TestAdapters.h"

namespace {

using mediation_test::lastAdapter;
using mediation_test::TestAdapter;

class Owner : public GADSlotDelegate, public GADSlotAdEventDelegate {
  public:
    void slotDidReceiveAdView(GADSlot&, const std::shared_ptr<ui::View>& view) override {
        events.push_back("view");
        shownView = view;
    }
    void slotFinishedLoadingAdContent(GADSlot&) override { events.push_back("loaded"); }
    void slotDidFailToLoadAdContentWithError(GADSlot&, const GADRequestError& error) override {
        events.push_back("failed " + std::to_string(error.code()));
        messages.push_back(error.localizedDescription());
    }
    void slotWillPresentScreen(GADSlot&) override { events.push_back("will present"); }
    void slotWillDismissScreen(GADSlot&) override { events.push_back("will dismiss"); }
    void slotDidDismissScreen(GADSlot&) override { events.push_back("did dismiss"); }
    void slotWillLeaveApplication(GADSlot&) override { events.push_back("leave"); }

    std::vector<std::string> events;
    std::vector<std::string> messages;
    std::shared_ptr<ui::View> shownView;
};

std::shared_ptr<GADMConfig> configWith(const std::string& adType,
                                       const std::vector<std::string>& adapters) {
    std::string networks;
    for (std::size_t i = 0; i < adapters.size(); ++i) {
        networks += (i ? "," : "") + std::string(R"({"id": "n)") + std::to_string(i) +
                    R"(", "adapters": [")" + adapters[i] + "\"]}";
    }
    std::optional<GADRequestError> error;
    return GADMConfig::make(
        "unit-1",
        *GADMacros::readJsonIntoDictionary(R"({"ad_type": ")" + adType +
                                           R"(", "settings": {"ad_network_timeout_millis": 3000},
                                              "ad_networks": [)" +
                                           networks + "]}"),
        error);
}

class GADMToGADGlueTest : public testing::Test {
  protected:
    void SetUp() override {
        mediation_test::registerTestAdapters();
        slot->setAdUnitID("unit-1");
        slot->setSlotDelegate(owner);
        slot->setAdEventDelegate(owner);
        slot->setAdType(GADAdType::bannerAdTypeForSize(kGADAdSizeBanner), false);
    }
    void TearDown() override { foundation::RunLoop::main().runUntilIdle(); }

    // The slot takes a mediation response for its banner.
    void mediate(const std::vector<std::string>& adapters, const std::string& adType = "banner") {
        slot->setState(GADSlotStateFetchingAd);
        glue()->requestAdWithType(slot->adType(), configWith(adType, adapters));
    }

    std::shared_ptr<GADMToGADGlue> glue() const {
        return std::dynamic_pointer_cast<GADMToGADGlue>(slot->adMediationGlue());
    }

    mediation_test::PingServer pings;
    foundation::ManualClock clock;
    std::shared_ptr<Owner> owner = std::make_shared<Owner>();
    std::shared_ptr<GADSlot> slot = GADSlot::make();
};

TEST_F(GADMToGADGlueTest, WaterfallEndsInTheSlot) {
    mediate({"TestFailingAdapter", "TestSilentAdapter", "TestFillingAdapter"});
    EXPECT_EQ(slot->state(), GADSlotStateFetchingAd);
    EXPECT_EQ(slot->slotStats().adapterExitCodesParameter(), "1");
    clock.advance(3);
    EXPECT_EQ(owner->events, (std::vector<std::string>{"view", "loaded"}));
    EXPECT_EQ(owner->shownView, lastAdapter()->view);
    EXPECT_EQ(slot->state(), GADSlotStateReady);
    // The impression took the timings with it.
    EXPECT_FALSE(slot->slotStats().adapterExitCodesParameter());
    EXPECT_EQ(glue()->mediationManager()->receivedConnector()->networkConfig()->networkID(), "n2");
}

TEST_F(GADMToGADGlueTest, NoFillFailsTheRequestOnce) {
    mediate({"TestFailingAdapter", "TestSilentAdapter"});
    clock.advance(3);
    EXPECT_EQ(owner->events, std::vector<std::string>{"failed 9"});
    EXPECT_EQ(slot->state(), GADSlotStateFailed);
    clock.advance(30);
    EXPECT_EQ(owner->events.size(), 1u);
}

TEST_F(GADMToGADGlueTest, MisfitsAreReportedOnce) {
    struct Case {
        std::shared_ptr<GADAdType> requested;
        const char* configured;
        std::string outcome;  // the owner's one event
        const char* message;  // the failure's message
    };
    const Case cases[] = {
        {nullptr, "banner", "failed 0", "Invalid requested GADAdType: (null)."},
        {GADAdType::interstitialAdType(), "banner", "failed 10",
         "Unable to request an interstitial when mediation configuration was for "
         "kGADAdSizeBanner."},
        {GADAdType::bannerAdTypeForSize(kGADAdSizeBanner), "interstitial", "failed 10",
         "Unable to request kGADAdSizeBanner when mediation configuration was for an "
         "interstitial."},
        {GADAdType::bannerAdTypeForSize(kGADAdSizeInvalid), "banner", "failed 10",
         "Unable to request ad with invalid size: "},
        {GADAdType::interstitialAdType(), "interstitial", "loaded", ""},
        {GADAdType::bannerAdTypeForSize(kGADAdSizeLeaderboard), "banner", "loaded", ""},
    };
    for (const Case& c : cases) {
        owner->events.clear();
        owner->messages.clear();
        slot->setState(GADSlotStateFetchingAd);
        glue()->requestAdWithType(c.requested, configWith(c.configured, {"TestFillingAdapter"}));
        ASSERT_FALSE(owner->events.empty()) << c.message;
        EXPECT_EQ(owner->events.back(), c.outcome) << c.message;
        if (c.outcome != "loaded") {
            EXPECT_EQ(owner->events.size(), 1u) << c.message;
            EXPECT_EQ(owner->messages[0].rfind(c.message, 0), 0u) << owner->messages[0];
        }
    }
}

TEST_F(GADMToGADGlueTest, CancelledWaterfallNeverReportsAndTheNextOneDoes) {
    mediate({"TestSilentAdapter", "TestFillingAdapter"});
    std::shared_ptr<GADMAdNetworkConnector> cancelled =
        glue()->mediationManager()->requestingConnector();
    TestAdapter* late = lastAdapter();
    slot->cancelPendingActions();
    EXPECT_EQ(slot->state(), GADSlotStateIdle);
    clock.advance(10);
    late->deliverBanner();
    EXPECT_TRUE(owner->events.empty());
    // A later mediated response on the same slot reaches it.
    mediate({"TestFillingAdapter"});
    EXPECT_EQ(owner->events, (std::vector<std::string>{"view", "loaded"}));
    EXPECT_EQ(slot->state(), GADSlotStateReady);
}

TEST_F(GADMToGADGlueTest, ShownBannerRefreshingDuringANewWaterfall) {
    mediate({"TestFillingAdapter"});
    TestAdapter* shown = lastAdapter();
    owner->events.clear();
    mediate({"TestSilentAdapter", "TestFillingAdapter"});
    shown->deliverBanner();
    shown->fail();
    EXPECT_TRUE(owner->events.empty());
    EXPECT_EQ(slot->state(), GADSlotStateFetchingAd);
    clock.advance(3);
    EXPECT_EQ(owner->events, (std::vector<std::string>{"view", "loaded"}));
    EXPECT_EQ(owner->shownView, lastAdapter()->view);
    // Once the waterfall is over, the shown network's refreshes reach the owner.
    owner->events.clear();
    lastAdapter()->deliverBanner();
    lastAdapter()->fail(3);
    EXPECT_EQ(owner->events, (std::vector<std::string>{"view", "loaded", "failed 3"}));
    EXPECT_TRUE(slot->hasAutoRefreshed());
}

TEST_F(GADMToGADGlueTest, ScreenEventsPauseEverySlot) {
    mediate({"TestFillingAdapter"});
    owner->events.clear();
    std::vector<std::string> posted;
    auto observer = std::make_shared<int>();
    for (const char* name : {kAdModalViewControllerWillPresentFullScreen,
                             kAdModalViewControllerDidDismissFullScreen}) {
        foundation::NotificationCenter::defaultCenter().addObserver(
            observer, name, nullptr,
            [&posted](const foundation::Notification& note) { posted.push_back(note.name); });
    }
    TestAdapter* adapter = lastAdapter();
    std::shared_ptr<GADMAdNetworkConnector> connector = adapter->connector();
    connector->adapterWillPresentFullScreenModal(*adapter);
    connector->adapterWillDismissFullScreenModal(*adapter);
    connector->adapterDidDismissFullScreenModal(*adapter);
    connector->adapterWillLeaveApplication(*adapter);
    EXPECT_EQ(owner->events,
              (std::vector<std::string>{"will present", "will dismiss", "did dismiss", "leave"}));
    EXPECT_EQ(posted, (std::vector<std::string>{kAdModalViewControllerWillPresentFullScreen,
                                                kAdModalViewControllerDidDismissFullScreen}));
    foundation::NotificationCenter::defaultCenter().removeObserver(observer.get());
}

TEST_F(GADMToGADGlueTest, AdaptersSeeTheSlotsRequest) {
    auto request = GADRequest::request();
    request->setGender(1);
    request->setKeywords(std::vector<std::string>{"shoes"});
    slot->loadRequest(request);
    slot->cancelPendingActions();
    mediate({"TestSilentAdapter"});
    std::shared_ptr<GADMAdNetworkConnector> connector = lastAdapter()->connector();
    EXPECT_EQ(connector->userGender(), 1);
    EXPECT_EQ(connector->userKeywords(), std::vector<std::string>{"shoes"});
    EXPECT_FALSE(connector->testMode());
}

}  // namespace
