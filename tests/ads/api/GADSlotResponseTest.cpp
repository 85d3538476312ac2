#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "ads/api/GADAd.h"
#include "ads/api/GADAdType.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADApplication.h"
#include "ads/webview/GADSDKCoreController.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/Outline.h"
#include "tests/ads/api/FakeSDKCoreController.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::Dictionary;
using foundation::RunLoop;
using foundation::URL;
using foundation::Value;

// An owner that records what the slot tells it and answers as configured.
class Owner : public GADSlotDelegate, public GADSlotAdEventDelegate {
  public:
    std::optional<bool> slotShouldReloadCurrentRequest(GADSlot&) override { return true; }
    std::optional<graphics::Rect> delegateBounds() const override { return bounds; }
    void slotDidReceiveAdView(GADSlot&, const std::shared_ptr<ui::View>& view) override {
        events.push_back(view ? "view" : "no view");
    }
    void setAdSizeAndReload(GADAdSize size, bool reload) override {
        events.push_back("size " + GADAdSizeDescription(size) + (reload ? " reload" : ""));
    }
    std::optional<std::vector<GADAdSize>> validAdSizes() const override { return sizes; }
    void slotWillResizeToAdSize(GADSlot&, GADAdSize) override { events.push_back("will resize"); }
    std::optional<bool> slotShouldUseCustomRenderingForAd(GADSlot&,
                                                          const std::shared_ptr<GADAd>&) override {
        return customRendering;
    }
    void slotFinishedLoadingAdContent(GADSlot&) override { events.push_back("loaded"); }
    void slotDidFailToLoadAdContentWithError(GADSlot&, const GADRequestError& error) override {
        events.push_back("failed " + std::to_string(error.code()));
    }

    std::optional<graphics::Rect> bounds = graphics::Rect(0, 0, 320, 100);
    std::optional<std::vector<GADAdSize>> sizes;
    std::optional<bool> customRendering;
    std::vector<std::string> events;
};

// Stands for the mediation glue: keeps the responses it is handed.
class RecordingGlue : public GADSlotMediationGlue {
  public:
    void setSlot(const std::weak_ptr<GADSlot>& s) override { slot = s; }
    void processMediationAdResponse(const std::shared_ptr<GADAd>& ad) override {
        responses.push_back(ad);
    }
    bool changeAdTypeTo(const std::shared_ptr<GADAdType>&) override { return false; }
    void cancel() override { ++cancels; }

    std::weak_ptr<GADSlot> slot;
    std::vector<std::shared_ptr<GADAd>> responses;
    int cancels = 0;
};

class GADSlotResponseTest : public testing::Test {
  protected:
    void SetUp() override {
        GADApplication::sharedApplication().reset();
        GADSDKCoreController::setSharedInstance(controller);
        slot = makeSlot();
    }
    void TearDown() override {
        slot.reset();
        foundation::ClassRegistry::shared().unregisterClass(GADSlotMediationGlue::kClassName);
        RunLoop::main().runUntilIdle();
    }
    std::shared_ptr<GADSlot> makeSlot() {
        auto made = GADSlot::make(graphics::Rect(0, 0, 320, 50));
        made->setSlotDelegate(owner);
        made->setAdEventDelegate(owner);
        made->setAdType(GADAdType::bannerAdTypeForSize(kGADAdSizeBanner), false);
        return made;
    }
    // Loads an ad given whole in the request, as a publisher may, with the
    // response headers the server would have sent.
    void loadAd(Dictionary ad, Dictionary headers = {}) {
        auto request = GADRequest::request();
        request->setAdditionalParameters(Dictionary{{"_ad", ad}, {"_adHeaders", headers}});
        slot->loadRequest(request);
        // The fetcher reports on the next turn; an HTML ad then loads.
        RunLoop::main().runUntil(
            [this] {
                return slot->state() != GADSlotStateFetchingAd &&
                       slot->state() != GADSlotStateRendering;
            },
            1);
        RunLoop::main().runUntilIdle();
    }
    static Dictionary htmlAd(const std::string& html = "<p>ad</p>") {
        return {{"ad_html", html}, {"ad_base_url", "http://127.0.0.1:1/"}};
    }
    bool waitForEvent() {
        return RunLoop::main().runUntil([this] { return !owner->events.empty(); }, 10);
    }

    std::shared_ptr<FakeSDKCoreController> controller = std::make_shared<FakeSDKCoreController>();
    std::shared_ptr<Owner> owner = std::make_shared<Owner>();
    std::shared_ptr<GADSlot> slot;
};

TEST_F(GADSlotResponseTest, DispatchByResponseType) {
    struct Case {
        const char* name;
        Dictionary ad;
        Dictionary headers;
        std::optional<bool> customRendering;
        std::int64_t state;
        std::vector<std::string> events;
    };
    const Dictionary json{{"Content-Type", "application/json"}};
    const Case cases[] = {
        {"html", htmlAd(), {}, std::nullopt, GADSlotStateReady, {"view", "loaded"}},
        {"white space only", htmlAd(" \n\t "), {}, std::nullopt, GADSlotStateFailed, {"failed 1"}},
        {"mediation response without networks",
         htmlAd("{}"),
         {{"X-Vira-Mediation", "1"}, {"Content-Type", "application/json"}},
         std::nullopt,
         GADSlotStateFailed,
         {"failed 7"}},
        {"native",
         htmlAd("{}"),
         {{"X-Vira-Native", "1"}, {"Content-Type", "application/json"}},
         std::nullopt,
         GADSlotStateFailed,
         {"failed 11"}},
        {"custom rendering the owner takes",
         htmlAd(),
         {{"X-Vira-Custom-Rendering-Allowed", "1"}},
         true,
         GADSlotStateFetchingAd,
         {}},
        {"custom rendering the owner cannot do",
         htmlAd(),
         {{"X-Vira-Custom-Rendering-Allowed", "1"}},
         std::nullopt,
         GADSlotStateReady,
         {"view", "loaded"}},
        {"custom rendering the owner declines",
         htmlAd(),
         {{"X-Vira-Custom-Rendering-Allowed", "1"}},
         false,
         GADSlotStateReady,
         {"view", "loaded"}},
    };
    for (const Case& c : cases) {
        slot = makeSlot();
        owner->events.clear();
        owner->customRendering = c.customRendering;
        loadAd(c.ad, c.headers);
        EXPECT_EQ(slot->state(), c.state) << c.name;
        EXPECT_EQ(owner->events, c.events) << c.name;
    }
    // The custom-rendered ad is the slot's ad, so its pings and clicks count.
    slot = makeSlot();
    owner->customRendering = true;
    loadAd(htmlAd(), {{"X-Vira-Custom-Rendering-Allowed", "1"}});
    ASSERT_NE(slot->ad(), nullptr);
    EXPECT_EQ(slot->ad()->responseType(), kGADAdResponseTypeCustomRendering);
    EXPECT_FALSE(slot->reloadable());
    slot->adWasClicked();
    EXPECT_EQ(slot->ad()->statistics()->objectForKey("pcc"), Value(1));
}

TEST_F(GADSlotResponseTest, HTMLAdLoadsInTheWebViewAndIsShownOnce) {
    testing_support::LocalServer server;
    std::atomic<int> impressions = 0;
    server.server().Get("/impression", [&](const httplib::Request&, httplib::Response& response) {
        ++impressions;
        response.set_content("", "text/plain");
    });
    server.start();
    loadAd(htmlAd("<html><head><title>Buy now</title></head><body><p>Buy</p></body></html>"),
           {{"X-Vira-Tracking-Urls", server.url("/impression")}});
    ASSERT_TRUE(
        RunLoop::main().runUntil([this] { return slot->state() == GADSlotStateReady; }, 10));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(owner->events, (std::vector<std::string>{"view", "loaded"}));
    ASSERT_NE(slot->ad(), nullptr);
    EXPECT_EQ(slot->loadingAd(), nullptr);
    EXPECT_FALSE(slot->webView()->isHidden());
    EXPECT_EQ(ui::Outline::describeView(*slot->webView()), "Ad \"Buy now\" http://127.0.0.1:1/\n");
    EXPECT_EQ(GADApplication::sharedApplication().statistics()->objectForKey("pimp"), Value(1));
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return impressions > 0; }, 10));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(impressions, 1);
}

TEST_F(GADSlotResponseTest, MediatedResponsesGoToTheGlueAndWaitThereWithoutTheRequestTimeOut) {
    auto glue = std::make_shared<RecordingGlue>();
    foundation::ClassRegistry::shared().registerClass<GADSlotMediationGlue>(
        {GADSlotMediationGlue::kClassName, "NSObject", {}}, [glue] { return glue; });
    slot = makeSlot();
    EXPECT_EQ(glue->slot.lock(), slot);
    foundation::ManualClock clock;
    loadAd(htmlAd(R"({"ad_networks":[]})"),
           {{"X-Vira-Mediation", "1"}, {"Content-Type", "application/json"}});
    ASSERT_EQ(glue->responses.size(), 1u);
    EXPECT_EQ(glue->responses[0]->adHTML(), std::optional<std::string>(R"({"ad_networks":[]})"));
    EXPECT_EQ(slot->state(), GADSlotStateFetchingAd);
    EXPECT_EQ(slot->loadingAd()->statistics()->objectForKey("ismediation"), Value(true));
    clock.advance(GADSlot::kRequestTimeout * 2);  // the waterfall keeps its own time-outs
    EXPECT_TRUE(owner->events.empty());
    slot->cancelPendingActions();
    EXPECT_EQ(glue->cancels, 1);
}

TEST_F(GADSlotResponseTest, RefreshIntervalOfTheAdAndTimerArmedWhenTheResponseIsProcessed) {
    struct Case {
        const char* headerRate;
        double expected;
    };
    const Case cases[] = {{"0", 30}, {"45", 45}};
    for (const Case& c : cases) {
        foundation::ManualClock clock;
        slot = makeSlot();
        Dictionary ad = htmlAd();
        ad["refresh_rate"] = 30;
        loadAd(ad, {{"X-Vira-Refresh-Rate", c.headerRate}});
        EXPECT_EQ(slot->reloadInterval(), c.expected) << c.headerRate;
        ASSERT_NE(slot->reloadTimer(), nullptr) << c.headerRate;
        EXPECT_EQ(slot->reloadTimer()->timeInterval(), c.expected) << c.headerRate;
    }
}

TEST_F(GADSlotResponseTest, AnnouncedSizeResizesOnlyToASizeTheOwnerLists) {
    struct Case {
        const char* name;
        bool interstitial;
        std::optional<std::vector<GADAdSize>> sizes;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"listed",
         false,
         std::vector<GADAdSize>{kGADAdSizeBanner, kGADAdSizeLargeBanner},
         {"view", "will resize", "size kGADAdSizeLargeBanner", "loaded"}},
        {"not listed", false, std::vector<GADAdSize>{kGADAdSizeBanner}, {"view", "loaded"}},
        {"no list", false, std::nullopt, {"view", "loaded"}},
        {"interstitial", true, std::vector<GADAdSize>{kGADAdSizeLargeBanner}, {"view", "loaded"}},
    };
    for (const Case& c : cases) {
        slot = makeSlot();
        if (c.interstitial) {
            slot->setAdType(GADAdType::interstitialAdType(), false);
        }
        owner->events.clear();
        owner->sizes = c.sizes;
        loadAd(htmlAd(), {{"X-Vira-Ad-Size", "320x100"}});
        EXPECT_EQ(owner->events, c.events) << c.name;
        EXPECT_TRUE(slot->newAdSize().isZero()) << c.name;
    }
    EXPECT_EQ(slot->webView()->frame().size, graphics::Size(320, 50));
    slot = makeSlot();
    owner->sizes = std::vector<GADAdSize>{kGADAdSizeLargeBanner};
    loadAd(htmlAd(), {{"X-Vira-Ad-Size", "320x100"}});
    EXPECT_EQ(slot->webView()->frame(), *owner->bounds);
}

TEST_F(GADSlotResponseTest, ClickURLPreparation) {
    foundation::UserDefaults& defaults = foundation::UserDefaults::standard();
    defaults.setObject("as_domains", "ads.example,,track.example");
    struct Case {
        const char* url;
        bool vendor;
    };
    const Case cases[] = {
        {"https://x.ads.example/click?ai=abc", true},
        {"https://evil.org/click?ai=abc", false},  // an empty entry matches nothing
        {"https://track.example/c", true},
        {"https://example.org/", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GADSlot::isDezuvoAdURL(*URL::fromString(c.url)), c.vendor) << c.url;
        // Without a signal module the URL to open is the URL clicked.
        EXPECT_EQ(slot->spamClickURLWithURL(*URL::fromString(c.url)).absoluteString(), c.url);
    }
    defaults.removeObjectForKey("as_domains");
    EXPECT_TRUE(GADSlot::isDezuvoAdURL(*URL::fromString("https://pubads.dezuvo.com/x")));

    loadAd(htmlAd());
    for (const char* unchanged : {"gmsg://mobileads.dezuvo.com/click?u=x", "about:blank"}) {
        EXPECT_EQ(slot->spamClickURLWithURL(*URL::fromString(unchanged)).absoluteString(),
                  unchanged);
    }
    EXPECT_TRUE(slot->ad()->statistics()->objectForKey("pit").isNull());
    slot->spamClickURLWithURL(*URL::fromString("https://ads.example/pagead/t1/t2?ai=x"));
    EXPECT_EQ(slot->ad()->statistics()->objectForKey("pit"), Value("t1/t2"));
    slot->adWasClicked();
    slot->adWasClicked();
    EXPECT_EQ(slot->ad()->statistics()->objectForKey("pcc"), Value(2));
    EXPECT_FALSE(slot->ad()->statistics()->objectForKey("tclickcurr").isNull());
}

}  // namespace
