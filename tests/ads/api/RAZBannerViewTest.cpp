#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "ads/api/GADAd.h"
#include "ads/api/GADRequest.h"
#include "ads/api/RAZActivityReporter.h"
#include "ads/api/RAZBannerView.h"
#include "ads/api/RAZRawHTMLAd.h"
#include "ads/api/RAZSwipeableBannerView.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADStatistics.h"
#include "ads/webview/GADSDKCoreController.h"
#include "ads/webview/RAZCoreController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/ViewController.h"
#include "tests/ads/api/FakeSDKCoreController.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::Dictionary;
using foundation::RunLoop;
using foundation::Value;

// A loopback server counting the requests of each path.
class CountingServer {
  public:
    CountingServer() {
        server_.server().Get(".*", [this](const httplib::Request& request, httplib::Response&) {
            std::lock_guard lock(mutex_);
            ++counts_[request.path];
        });
        server_.start();
    }
    int count(const std::string& path) const {
        std::lock_guard lock(mutex_);
        auto found = counts_.find(path);
        return found == counts_.end() ? 0 : found->second;
    }
    int total() const {
        std::lock_guard lock(mutex_);
        int sum = 0;
        for (const auto& [path, count] : counts_) {
            sum += count;
        }
        return sum;
    }
    std::string url(const std::string& path) { return server_.url(path); }

  private:
    mutable std::mutex mutex_;
    std::map<std::string, int> counts_;
    testing_support::LocalServer server_;
};

class RecordingBannerDelegate : public GADBannerViewDelegate {
  public:
    void adViewDidReceiveAd(GADBannerView&) override { ++received; }
    int received = 0;
};

// A publisher that draws raw ads when `renders`, answering `should` when set.
class Publisher : public RAZRawHTMLBannerViewDelegate,
                  public GADAppEventDelegate,
                  public GADAdSizeDelegate {
  public:
    std::optional<bool> bannerViewShouldUseCustomRenderingForAdHTML(
        RAZBannerView&, const std::string& html,
        const std::optional<foundation::URL>& baseURL) override {
        asked.push_back(html + " @ " + (baseURL ? baseURL->absoluteString() : "-"));
        return should;
    }
    bool respondsToRenderRawHTMLAd() const override { return renders; }
    void bannerViewRenderRawHTMLAd(RAZBannerView&,
                                   const std::shared_ptr<RAZRawHTMLAd>& ad) override {
        rawAds.push_back(ad);
        if (clicksAtOnce) {
            ad->recordClick();
        }
    }
    void adViewDidReceiveAppEvent(GADBannerView&, const std::string& name,
                                  const std::optional<std::string>& info) override {
        events.push_back(name + "=" + info.value_or("(none)"));
    }
    void adViewWillChangeAdSizeTo(GADBannerView&, GADAdSize size) override {
        events.push_back("size " + GADAdSizeDescription(size));
    }

    std::optional<bool> should;
    bool renders = true;
    // Reports a click while drawing the ad.
    bool clicksAtOnce = false;
    std::vector<std::string> asked;
    std::vector<std::shared_ptr<RAZRawHTMLAd>> rawAds;
    std::vector<std::string> events;
};

class RecordingChecker : public GADLogChecker {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

class RAZBannerViewTest : public testing::Test {
  protected:
    void SetUp() override {
        GADApplication::sharedApplication().reset();
        GADSDKCoreController::setSharedInstance(std::make_shared<FakeSDKCoreController>());
        GADRequest::request();  // the first request's test-device hint is not heard here
        GADMacros::setLogChecker(checker);
        makeBanner();
    }
    void makeBanner() {
        banner = RAZBannerView::makeWithAdSize(kGADAdSizeBanner);
        banner->setRootViewController(root);
        bannerDelegate = std::make_shared<RecordingBannerDelegate>();
        banner->setDelegate(bannerDelegate);
    }
    void TearDown() override {
        banner.reset();
        GADSDKCoreController::setSharedInstance(nullptr);
        RunLoop::main().runUntilIdle();
    }
    // Loads an ad given whole in the request, with the response headers a
    // server would have sent, and waits until the slot has handed it on.
    void loadAd(const std::string& html, Dictionary headers,
                const std::string& baseURL = "http://127.0.0.1:1/") {
        auto request = GADRequest::request();
        request->setAdditionalParameters(
            Dictionary{{"_ad", Dictionary{{"ad_html", html}, {"ad_base_url", baseURL}}},
                       {"_adHeaders", headers}});
        banner->loadRequest(request);
        RunLoop::main().runUntil(
            [this] {
                auto slot = banner->slot();
                return slot->state() != GADSlotStateFetchingAd &&
                       (slot->state() != GADSlotStateRendering || !slot->loadingAd());
            },
            10);
        RunLoop::main().runUntilIdle();
    }
    static Value pimp() {
        return GADApplication::sharedApplication().statistics()->objectForKey("pimp");
    }

    std::shared_ptr<RecordingChecker> checker = std::make_shared<RecordingChecker>();
    std::shared_ptr<ui::ViewController> root = std::make_shared<ui::ViewController>();
    std::shared_ptr<RecordingBannerDelegate> bannerDelegate =
        std::make_shared<RecordingBannerDelegate>();
    std::shared_ptr<Publisher> publisher = std::make_shared<Publisher>();
    std::shared_ptr<RAZBannerView> banner;
};

const Dictionary kCustomRendering{{"X-Vira-Custom-Rendering-Allowed", "1"}};

TEST_F(RAZBannerViewTest, CustomRenderingGoesToAPublisherThatDrawsRawAds) {
    struct Case {
        const char* rule;
        bool hasPublisher;
        std::optional<bool> should;
        bool renders;
        bool custom;
    };
    const Case cases[] = {
        {"no raw-HTML delegate: an ordinary HTML ad", false, std::nullopt, true, false},
        {"a delegate without the question draws every ad", true, std::nullopt, true, true},
        {"a delegate that says yes draws it", true, true, true, true},
        {"a delegate that declines: HTML", true, false, true, false},
        {"a delegate that cannot draw raw ads: HTML, never a hang", true, std::nullopt, false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        makeBanner();
        publisher = std::make_shared<Publisher>();
        publisher->should = c.should;
        publisher->renders = c.renders;
        if (c.hasPublisher) {
            banner->setRawHTMLBannerViewDelegate(publisher);
        }
        loadAd("<p>ad</p>", kCustomRendering, "http://127.0.0.1:1/site/page.html");
        auto slot = banner->slot();
        if (c.custom) {
            ASSERT_EQ(publisher->rawAds.size(), 1u);
            const auto& raw = publisher->rawAds[0];
            EXPECT_EQ(raw->adHTML(), "<p>ad</p>");
            // The root of the ad's base URL.
            EXPECT_EQ(raw->adBaseURL()->absoluteString(), "http://127.0.0.1:1/");
            EXPECT_EQ(slot->state(), GADSlotStateRendering);
            ASSERT_NE(slot->ad(), nullptr);  // so its pings are sent
            EXPECT_EQ(bannerDelegate->received, 0);
            raw->finishedRenderingAdView(nullptr);
            EXPECT_EQ(slot->state(), GADSlotStateReady);
            RunLoop::main().runUntilIdle();
            EXPECT_EQ(bannerDelegate->received, 0);  // no callback for a custom-rendered ad
        } else {
            EXPECT_TRUE(publisher->rawAds.empty());
            EXPECT_EQ(slot->state(), GADSlotStateReady);
            EXPECT_EQ(bannerDelegate->received, 1);
        }
        EXPECT_EQ(publisher->asked.size(), c.hasPublisher ? 1u : 0u);
        const bool logged =
            !checker->messages.empty() && checker->messages.back().rfind(
                                              "Ignoring delegate callback. Delegate does not "
                                              "conform to RAZRawHTMLAdDelegate.\nBanner view: "
                                              "<RAZBannerView: 0x",
                                              0) == 0;
        EXPECT_EQ(logged, c.hasPublisher && !c.renders);
        checker->messages.clear();
    }
}

TEST_F(RAZBannerViewTest, ACustomRenderedAdsClickAndImpressionPingsReachTheServerOnceEach) {
    CountingServer server;
    banner->setRawHTMLBannerViewDelegate(publisher);
    publisher->clicksAtOnce = true;
    loadAd("<p>ad</p>", Dictionary{{"X-Vira-Custom-Rendering-Allowed", "1"},
                                   {"X-Vira-Click-Tracking-Urls", server.url("/click")},
                                   {"X-Vira-Tracking-Urls", server.url("/impression")},
                                   {"X-Vira-Manual-Tracking-Urls", server.url("/manual")}});
    ASSERT_EQ(publisher->rawAds.size(), 1u);
    const auto raw = publisher->rawAds[0];
    raw->finishedRenderingAdView(nullptr);
    raw->recordImpression();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return server.total() == 3; }, 10));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(server.count("/click"), 1);
    EXPECT_EQ(server.count("/impression"), 1);
    EXPECT_EQ(server.count("/manual"), 1);
    EXPECT_EQ(pimp(), Value(1));

    // Once the banner is gone the raw ad reports nothing.
    banner.reset();
    raw->recordClick();
    raw->recordImpression();
    raw->finishedRenderingAdView(nullptr);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(server.total(), 3);
}

TEST_F(RAZBannerViewTest, ManualImpressionsAreAskedForAndPingOnlyTheManualURLs) {
    CountingServer server;
    EXPECT_FALSE(banner->enableManualImpressions());
    EXPECT_FALSE(banner->slot()->requestParameters().contains("d_imp_hdr"));
    banner->setEnableManualImpressions(true);
    EXPECT_TRUE(banner->slot()->manualImpressionsEnabled());
    EXPECT_EQ(banner->slot()->requestParameters()["d_imp_hdr"], Value("1"));

    loadAd("<p>ad</p>", Dictionary{{"X-Vira-Manual-Tracking-Urls", server.url("/manual")},
                                   {"X-Vira-Click-Tracking-Urls", server.url("/click")}});
    ASSERT_EQ(banner->slot()->state(), GADSlotStateReady);
    const Value impressionsBefore = pimp();
    banner->recordImpression();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return server.total() == 1; }, 10));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(server.count("/manual"), 1);
    EXPECT_EQ(pimp(), impressionsBefore);  // not counted as an impression
}

TEST_F(RAZBannerViewTest, SizesAppEventsAndResizing) {
    banner->setValidAdSizesWithSizes(
        {kGADAdSizeBanner, kGADAdSizeMediumRectangle, kGADAdSizeLeaderboard});
    ASSERT_TRUE(banner->validAdSizes());
    ASSERT_EQ(banner->validAdSizes()->size(), 3u);
    EXPECT_TRUE(GADAdSizeIsEqualToAdSize((*banner->validAdSizes())[1], kGADAdSizeMediumRectangle));
    EXPECT_EQ(banner->slot()->requestParameters()["sz"], Value("320x50|300x250|728x90"));
    banner->setValidAdSizesWithSizes({});
    ASSERT_TRUE(banner->validAdSizes());
    EXPECT_TRUE(banner->validAdSizes()->empty());

    // An ad announcing a listed size: the size delegate hears it first.
    banner->setAdSizeDelegate(publisher);
    banner->setValidAdSizesWithSizes({kGADAdSizeBanner, kGADAdSizeMediumRectangle});
    loadAd("<p>ad</p>", Dictionary{{"X-Vira-Ad-Size", "300x250"}});
    EXPECT_EQ(publisher->events,
              std::vector<std::string>{"size " + GADAdSizeDescription(kGADAdSizeMediumRectangle)});
    EXPECT_EQ(banner->frame().size, (graphics::Size{300, 250}));

    // Resizing takes the size without a request.
    banner->resize(kGADAdSizeBanner);
    EXPECT_EQ(banner->frame().size, (graphics::Size{320, 50}));
    EXPECT_EQ(banner->slot()->state(), GADSlotStateReady);

    // App events reach the app-event delegate, when there is one.
    publisher->events.clear();
    banner->slotDidReceiveAppEvent(*banner->slot(), "color", std::string("red"));
    banner->setAppEventDelegate(publisher);
    banner->slotDidReceiveAppEvent(*banner->slot(), "color", std::string("red"));
    banner->slotDidReceiveAppEvent(*banner->slot(), "ping", std::nullopt);
    EXPECT_EQ(publisher->events, (std::vector<std::string>{"color=red", "ping=(none)"}));
}

TEST(RAZSwipeableBannerView, IgnoresEverySwipeDelegate) {
    auto banner = RAZSwipeableBannerView::makeWithFrame({0, 0, 320, 50}, kGADAdSizeBanner);
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->className(), "RAZSwipeableBannerView");
    banner->setSwipeDelegate(std::make_shared<int>(1));
    EXPECT_EQ(banner->swipeDelegate(), nullptr);
    EXPECT_EQ(RAZSwipeableBannerView::makeWithFrame({}, kGADAdSizeInvalid), nullptr);
}

TEST(RAZActivityReporter, ReportsTheAdUnitAndCustomParametersThroughTheCorePage) {
    testing_support::LocalServer server;
    server.serve("/controller.html", 200, R"(<html><head><script>
var reports = [];
var dezuvo = {contentads: {raz: {reportActivity: function (meta, request) {
  reports.push(JSON.stringify([meta.sdk_version.major, request]));
}}}};
</script></head><body></body></html>)");
    server.start();
    auto controller = std::make_shared<RAZCoreController>(server.url("/controller.html"),
                                                          RAZCoreController::kFallbackHTML);
    RAZActivityReporter reporter(controller);
    reporter.reportWithAdUnitID("unit-9", Dictionary{{"page", "home"}});
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return controller->container()->isLoaded(); }, 10));
    EXPECT_EQ(controller->stringByEvaluatingJavaScriptFromString("reports.join('|')"),
              R"([6,{"ad_unit_id":"unit-9","custom_parameters":{"page":"home"}}])");
}

}  // namespace
