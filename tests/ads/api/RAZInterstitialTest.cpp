#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "ads/api/GADRequest.h"
#include "ads/api/RAZInterstitial.h"
#include "ads/api/RAZRawHTMLAd.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADMacros.h"
#include "ads/webview/GADSDKCoreController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Window.h"
#include "tests/ads/api/FakeSDKCoreController.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::Dictionary;
using foundation::RunLoop;
using Log = std::vector<std::string>;

// The publisher: hears the interstitial and its app events, keeps the log
// lines, and draws raw ads unless `should` says otherwise.
class Publisher : public GADInterstitialDelegate,
                  public GADAppEventDelegate,
                  public RAZRawHTMLInterstitialViewDelegate,
                  public GADLogChecker {
  public:
    void interstitialDidReceiveAd(GADInterstitial&) override { log.push_back("received"); }
    void interstitialWillPresentScreen(GADInterstitial&) override { log.push_back("will present"); }
    void interstitialDidReceiveAppEvent(GADInterstitial&, const std::string& name,
                                        const std::optional<std::string>& info) override {
        log.push_back("event " + name + "=" + info.value_or("(none)"));
    }
    std::optional<bool> interstitialShouldUseCustomRenderingForAdHTML(
        RAZInterstitial&, const std::string&, const std::optional<foundation::URL>&) override {
        return should;
    }
    void interstitialRenderRawHTMLAd(RAZInterstitial&,
                                     const std::shared_ptr<RAZRawHTMLAd>& ad) override {
        rawAds.push_back(ad);
    }
    void message(const std::string& text) override { messages.push_back(text); }

    std::optional<bool> should;
    Log log;
    Log messages;
    std::vector<std::shared_ptr<RAZRawHTMLAd>> rawAds;
};

class RAZInterstitialTest : public testing::Test {
  protected:
    void SetUp() override {
        GADApplication::sharedApplication().reset();
        GADSDKCoreController::setSharedInstance(std::make_shared<FakeSDKCoreController>());
        GADRequest::request();  // the first request's test-device hint is not heard here
        GADMacros::setLogChecker(publisher);
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        RunLoop::main().runUntilIdle();
    }
    void TearDown() override {
        interstitial.reset();
        RunLoop::main().runUntilIdle();
        GADMacros::setLogChecker(nullptr);
        GADSDKCoreController::setSharedInstance(nullptr);
    }
    std::shared_ptr<RAZInterstitial> makeInterstitial() {
        auto made = RAZInterstitial::make();
        made->setDelegate(publisher);
        made->setAppEventDelegate(publisher);
        return made;
    }
    // Loads an ad given whole in the request, with the headers a server
    // would have sent, and waits until the slot has handed it on.
    void loadAd(Dictionary headers) {
        auto request = GADRequest::request();
        request->setAdditionalParameters(
            Dictionary{{"_ad", Dictionary{{"ad_html", "<p>ad</p>"},
                                          {"ad_base_url", "http://127.0.0.1:1/site/page.html"}}},
                       {"_adHeaders", headers}});
        interstitial->loadRequest(request);
        const auto& slot = interstitial->slot();
        RunLoop::main().runUntil(
            [&] {
                return slot->state() != GADSlotStateFetchingAd &&
                       (slot->state() != GADSlotStateRendering || !slot->loadingAd());
            },
            10);
        RunLoop::main().runUntil(
            [&] { return slot->state() != GADSlotStateRendering || !publisher->rawAds.empty(); },
            10);
        RunLoop::main().runUntilIdle();
    }

    std::shared_ptr<Publisher> publisher = std::make_shared<Publisher>();
    ui::ViewController::Ptr root = std::make_shared<ui::ViewController>();
    ui::Window::Ptr window = ui::Window::make();
    std::shared_ptr<RAZInterstitial> interstitial;
};

const Dictionary kCustomRendering{{"X-Vira-Custom-Rendering-Allowed", "1"}};

TEST_F(RAZInterstitialTest, OrdinaryAdsWithoutAPublisherThatDrawsThem) {
    struct Case {
        bool hasDelegate;
        std::optional<bool> should;
        const char* rule;
    };
    const Case cases[] = {
        {false, std::nullopt, "no raw-HTML delegate"},
        {true, false, "a delegate that declines"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        publisher->log.clear();
        publisher->should = c.should;
        interstitial = makeInterstitial();
        if (c.hasDelegate) {
            interstitial->setRawHTMLInterstitialDelegate(publisher);
        }
        loadAd(kCustomRendering);
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return !publisher->log.empty(); }, 10));
        EXPECT_EQ(publisher->log, Log{"received"});
        EXPECT_FALSE(interstitial->isCustomAdRenderingEnabled());
        EXPECT_TRUE(interstitial->isReady());
        EXPECT_TRUE(publisher->rawAds.empty());
    }
}

TEST_F(RAZInterstitialTest, ACustomRenderedAdIsShownByThePublisherAndReportsItsPings) {
    testing_support::LocalServer server;
    std::atomic<int> clicks = 0;
    std::atomic<int> impressions = 0;
    std::atomic<int> manual = 0;
    for (auto [path, counter] :
         {std::pair{"/click", &clicks}, std::pair{"/impression", &impressions},
          std::pair{"/manual", &manual}}) {
        server.server().Get(path,
                            [counter](const httplib::Request&, httplib::Response&) { ++*counter; });
    }
    server.start();
    interstitial = makeInterstitial();
    interstitial->setRawHTMLInterstitialDelegate(publisher);
    Dictionary headers = kCustomRendering;
    headers["X-Vira-Click-Tracking-Urls"] = server.url("/click");
    headers["X-Vira-Tracking-Urls"] = server.url("/impression");
    headers["X-Vira-Manual-Tracking-Urls"] = server.url("/manual");
    loadAd(headers);

    ASSERT_EQ(publisher->rawAds.size(), 1u);
    const auto raw = publisher->rawAds[0];
    EXPECT_EQ(raw->adHTML(), "<p>ad</p>");
    EXPECT_EQ(raw->adBaseURL()->absoluteString(), "http://127.0.0.1:1/");
    EXPECT_TRUE(interstitial->isCustomAdRenderingEnabled());
    EXPECT_FALSE(interstitial->isReady());
    raw->finishedRenderingAdView(nullptr);
    EXPECT_TRUE(interstitial->isReady());

    // The publisher shows it: presenting is refused and leaves it unused.
    interstitial->presentFromRootViewController(root);
    EXPECT_EQ(publisher->messages.back(),
              "Error: Custom ad rendering is enabled. Please present interstitial view from "
              "rootViewController manually.");
    EXPECT_FALSE(interstitial->hasBeenUsed());
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(window->topViewController(), root);

    raw->recordImpression();
    raw->recordClick();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return clicks + impressions + manual == 3; }, 10));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(impressions, 1);
    EXPECT_EQ(manual, 1);
    EXPECT_EQ(GADApplication::sharedApplication().statistics()->objectForKey("pimp"),
              foundation::Value(1));
    EXPECT_TRUE(publisher->log.empty());  // a custom-rendered ad has no delegate callback

    // App events reach the app-event delegate.
    interstitial->slotDidReceiveAppEvent(*interstitial->slot(), "color", std::string("red"));
    EXPECT_EQ(publisher->log, Log{"event color=red"});
}

}  // namespace
