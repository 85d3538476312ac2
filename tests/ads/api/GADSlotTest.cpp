#include <gtest/gtest.h>

#include "ads/api/GADAd.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADURLAdditions.h"
#include "ads/webview/GADMRAIDInterceptor.h"
#include "ads/webview/GADSDKCoreController.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "tests/ads/api/FakeSDKCoreController.h"
#include "tests/support/LocalServer.h"

namespace {

class Owner : public GADSlotDelegate, public GADSlotAdEventDelegate {
  public:
    std::optional<bool> slotShouldReloadCurrentRequest(GADSlot&) override { return shouldReload; }
    std::optional<bool> createdOnMediationRequest() const override { return onMediation; }
    void slotFinishedLoadingAdContent(GADSlot&) override { ++successes; }
    void slotDidFailToLoadAdContentWithError(GADSlot&, const GADRequestError& error) override {
        failures.push_back(error.code());
    }

    std::optional<bool> shouldReload = true;
    std::optional<bool> onMediation;
    int successes = 0;
    std::vector<long> failures;
};

class GADSlotTest : public testing::Test {
  protected:
    void SetUp() override {
        GADApplication::sharedApplication().reset();
        GADSDKCoreController::setSharedInstance(controller);
        slot->setSlotDelegate(owner);
        slot->setAdEventDelegate(owner);
    }
    void TearDown() override { foundation::RunLoop::main().runUntilIdle(); }
    void runLoop() { foundation::RunLoop::main().runUntilIdle(); }

    std::shared_ptr<FakeSDKCoreController> controller = std::make_shared<FakeSDKCoreController>();
    std::shared_ptr<Owner> owner = std::make_shared<Owner>();
    std::shared_ptr<GADSlot> slot = GADSlot::make();
    testing_support::LocalServer server;
};

TEST_F(GADSlotTest, GateRefusesBusyAndInvalidatedSlots) {
    const std::pair<std::int64_t, bool> cases[] = {
        {GADSlotStateIdle, true},
        {GADSlotStateSDKCoreFailed, true},
        {GADSlotStateRequestingAdURL, false},
        {GADSlotStateReceivedAdURL, false},
        {GADSlotStateFetchingAd, false},
        {GADSlotStateRendering, false},
        {GADSlotStateReady, true},
        {GADSlotStateFailed, true},
        {GADSlotStateInvalidated, false},  // final: nothing changes it afterwards
    };
    for (const auto& [state, allowed] : cases) {
        slot->setState(state);
        EXPECT_EQ(slot->state(), state);
        EXPECT_EQ(slot->shouldMakeRequest(nullptr), allowed) << "state " << state;
        EXPECT_EQ(slot->isMakingRequest(), !allowed) << "state " << state;
    }
    slot->setState(GADSlotStateIdle);
    EXPECT_EQ(slot->state(), GADSlotStateInvalidated);
}

TEST_F(GADSlotTest, GateRefusesWhileTheLaunchedApplicationIsInTheBackground) {
    ui::Application& application = ui::Application::shared();
    application.launch();
    EXPECT_TRUE(GADApplication::sharedApplication().appFinishedLaunching());
    application.enterBackground();
    EXPECT_FALSE(slot->shouldMakeRequest(nullptr));
    slot->loadRequest(GADRequest::request());
    EXPECT_TRUE(controller->requests.empty());
    EXPECT_EQ(slot->state(), GADSlotStateIdle);
    application.reset();
    GADApplication::sharedApplication().setAppFinishedLaunching(false);
    EXPECT_TRUE(slot->shouldMakeRequest(nullptr));
}

TEST_F(GADSlotTest, TheFinishedLaunchRunsTheEarlyActivitiesOnce) {
    GADMRAIDInterceptor::disallow();
    ui::Application::shared().launch();
    EXPECT_TRUE(GADMRAIDInterceptor::isAllowed());  // before any further slot is made

    // Once: neither another slot nor another call does it again.
    GADMRAIDInterceptor::disallow();
    GADSlot::make({0, 0, 320, 50});
    GADApplication::sharedApplication().runEarlyActivities();
    EXPECT_FALSE(GADMRAIDInterceptor::isAllowed());
    ui::Application::shared().reset();
}

TEST_F(GADSlotTest, AdURLAnswerFetchesTheAdAndAFailedFetchIsReportedOnce) {
    slot->loadRequest(GADRequest::request());
    EXPECT_EQ(slot->state(), GADSlotStateRequestingAdURL);
    slot->loadRequest(GADRequest::request());  // busy: ignored
    ASSERT_EQ(controller->requests.size(), 1u);

    server.serve("/ad", 404, "<html>not found</html>");
    server.start();
    slot->loadAdURLWithParameters(
        foundation::Dictionary{{"url", server.url("/ad")}, {"request_scenario", "online_buffer"}});
    EXPECT_EQ(slot->state(), GADSlotStateFetchingAd);
    ASSERT_NE(slot->loadingAd(), nullptr);
    EXPECT_EQ(slot->loadingAd()->adURL()->absoluteString(), server.url("/ad"));
    EXPECT_FALSE(slot->loadingAd()->statistics()->objectForKey("tfetch").isNull());
    EXPECT_EQ(GADApplication::sharedApplication().statistics()->objectForKey("bas_on"),
              foundation::Value(1));

    foundation::RunLoop::main().runUntil([this] { return !owner->failures.empty(); }, 10);
    runLoop();
    EXPECT_EQ(slot->state(), GADSlotStateFailed);
    EXPECT_EQ(owner->failures, std::vector<long>{kGADErrorServerError});
    EXPECT_EQ(slot->loadingAd(), nullptr);
}

TEST_F(GADSlotTest, EveryAnswerOfThePageEndsInItsFailure) {
    struct Case {
        const char* name;
        std::function<void(GADSlot&)> answer;
        std::int64_t state;
        long code;
    };
    const Case cases[] = {
        {"page not loaded", [](GADSlot& s) { s.failedJavaScriptFile(); }, GADSlotStateSDKCoreFailed,
         kGADErrorNetworkError},
        {"invalid request", [](GADSlot& s) { s.invalidJavaScriptRequest(); }, GADSlotStateFailed,
         kGADErrorInvalidRequest},
        {"errors in the answer",
         [](GADSlot& s) {
             s.loadAdURLWithParameters(foundation::Dictionary{{"errors", "x"}});
         },
         GADSlotStateFailed, kGADErrorInvalidRequest},
    };
    for (const Case& c : cases) {
        owner->failures.clear();
        slot->loadRequest(GADRequest::request());
        c.answer(*slot);
        c.answer(*slot);  // a second answer to the same request changes nothing
        EXPECT_EQ(slot->state(), c.state) << c.name;
        EXPECT_EQ(owner->failures, std::vector<long>{c.code}) << c.name;
        EXPECT_EQ(slot->reloadTimer(), nullptr) << c.name;
    }
}

TEST_F(GADSlotTest, WithoutAnSDKCorePageTheRequestFailsOnce) {
    GADSDKCoreController::setSharedInstance(nullptr);  // the built-in controller
    GADSetSDKCorePageURL("http://127.0.0.1:1/mads/static/sdk/native/sdk-core-v40.html");
    slot->loadRequest(GADRequest::request());
    foundation::RunLoop::main().runUntil(
        [&] { return slot->state() != GADSlotStateRequestingAdURL; }, 20);
    runLoop();
    EXPECT_EQ(slot->state(), GADSlotStateSDKCoreFailed);
    EXPECT_EQ(owner->failures, std::vector<long>{kGADErrorNetworkError});
}

TEST_F(GADSlotTest, AnAdThatIsNeverFetchedTimesOut) {
    foundation::ManualClock clock;
    server.port();  // takes connections and never answers them
    slot->loadRequest(GADRequest::request());
    clock.advance(GADSlot::kRequestTimeout * 2);  // the page's answer is the controller's to time
    EXPECT_EQ(slot->state(), GADSlotStateRequestingAdURL);
    slot->loadAdURLWithParameters(foundation::Dictionary{{"url", server.url("/ad")}});
    clock.advance(GADSlot::kRequestTimeout - 1);
    EXPECT_EQ(slot->state(), GADSlotStateFetchingAd);
    clock.advance(1);
    EXPECT_EQ(slot->state(), GADSlotStateFailed);
    EXPECT_EQ(owner->failures, std::vector<long>{kGADErrorTimeout});
    clock.advance(GADSlot::kRequestTimeout);  // the connection's own time-out reaches nobody
    runLoop();
    EXPECT_EQ(owner->failures.size(), 1u);
    // The slot takes requests again.
    slot->loadRequest(GADRequest::request());
    EXPECT_EQ(controller->requests.size(), 2u);
}

TEST_F(GADSlotTest, RequestURLExtraBypassesThePage) {
    auto request = GADRequest::request();
    request->setAdditionalParameters(
        foundation::Dictionary{{"_requestUrl", server.url("/direct")}, {"_orientation", "l"}});
    slot->loadRequest(request);
    EXPECT_TRUE(controller->requests.empty());
    EXPECT_EQ(slot->state(), GADSlotStateFetchingAd);
    EXPECT_EQ(slot->loadingAd()->adURL()->absoluteString(), server.url("/direct"));
    EXPECT_EQ(slot->loadingAd()->supportedOrientations(), 3);
}

TEST_F(GADSlotTest, ReloadTimerRefreshesWithTheStoredRequest) {
    foundation::ManualClock clock;
    slot->loadRequest(GADRequest::request());
    slot->invalidJavaScriptRequest();
    slot->scheduleReloadTimer(0.5);
    ASSERT_NE(slot->reloadTimer(), nullptr);
    clock.advance(0.49);
    EXPECT_EQ(controller->requests.size(), 1u);
    clock.advance(0.01);
    EXPECT_EQ(controller->requests.size(), 2u);
    EXPECT_TRUE(slot->hasAutoRefreshed());

    slot->invalidJavaScriptRequest();
    owner->shouldReload = false;  // e.g. a banner off the screen
    slot->scheduleReloadTimer(0.5);
    clock.advance(1);
    EXPECT_EQ(controller->requests.size(), 2u);

    slot->scheduleReloadTimer(0);
    EXPECT_EQ(slot->reloadTimer(), nullptr);
    EXPECT_EQ(slot->reloadInterval(), 0);

    owner->onMediation = true;
    slot->setReloadInterval(30);
    slot->scheduleAdReloadTimer();
    EXPECT_EQ(slot->reloadTimer(), nullptr);
    EXPECT_EQ(slot->reloadInterval(), 30);
}

TEST_F(GADSlotTest, FullScreenAndInactivityPauseTheTimerOfEverySlot) {
    foundation::ManualClock clock;
    auto other = GADSlot::make();
    other->setSlotDelegate(owner);
    slot->scheduleReloadTimer(30);
    other->scheduleReloadTimer(30);
    const std::pair<const char*, const char*> pauses[] = {
        {kAdModalViewControllerWillPresentFullScreen, kAdModalViewControllerDidDismissFullScreen},
        {ui::ApplicationWillResignActiveNotification, ui::ApplicationDidBecomeActiveNotification},
    };
    for (const auto& [pause, resume] : pauses) {
        clock.advance(20);
        foundation::NotificationCenter::defaultCenter().post(pause);
        EXPECT_EQ(slot->reloadTimer(), nullptr) << pause;
        EXPECT_EQ(other->reloadTimer(), nullptr) << pause;
        clock.advance(60);
        EXPECT_TRUE(controller->requests.empty()) << pause;
        foundation::NotificationCenter::defaultCenter().post(resume);
        ASSERT_NE(slot->reloadTimer(), nullptr) << resume;
        EXPECT_EQ(slot->reloadTimer()->timeInterval(), 30) << resume;  // the full interval
    }
    clock.advance(30);
    EXPECT_EQ(controller->requests.size(), 2u);
}

TEST_F(GADSlotTest, InvalidatedSlotsStayInvalidated) {
    slot->loadRequest(GADRequest::request());
    slot->scheduleReloadTimer(5);
    slot->cancelPendingAndFutureActions();
    EXPECT_EQ(slot->state(), GADSlotStateInvalidated);
    EXPECT_EQ(slot->reloadTimer(), nullptr);
    EXPECT_EQ(slot->slotDelegate(), nullptr);
    slot->failedJavaScriptFile();
    slot->loadRequest(GADRequest::request());
    slot->scheduleReloadTimer(5);
    EXPECT_EQ(slot->state(), GADSlotStateInvalidated);
    EXPECT_EQ(slot->reloadTimer(), nullptr);
    EXPECT_EQ(controller->requests.size(), 1u);
    EXPECT_TRUE(owner->failures.empty());
}

TEST_F(GADSlotTest, ChangingTheAdTypeReloadsTheLastRequest) {
    slot->setAdType(GADAdType::interstitialAdType());  // equal: nothing
    EXPECT_TRUE(controller->requests.empty());
    slot->setAdType(GADAdType::bannerAdTypeForSize(kGADAdSizeBanner));
    EXPECT_TRUE(controller->requests.empty());  // no request loaded before
    slot->loadRequest(GADRequest::request());
    slot->setAdType(GADAdType::bannerAdTypeForSize(kGADAdSizeLargeBanner));
    EXPECT_EQ(controller->requests.size(), 2u);  // busy request cancelled, then reloaded
    EXPECT_EQ(slot->state(), GADSlotStateRequestingAdURL);
    EXPECT_TRUE(owner->failures.empty());
}

TEST_F(GADSlotTest, Description) {
    slot->setAdUnitID(std::string("unit-1"));
    EXPECT_NE(slot->description().find(">\nad unit ID:unit-1"), std::string::npos);
    EXPECT_EQ(slot->description().rfind("<GADSlot: 0x", 0), 0u);
}

}  // namespace
