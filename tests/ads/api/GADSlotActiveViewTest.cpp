#include <gtest/gtest.h>

#include "ads/api/GADAd.h"
#include "ads/api/GADBannerView.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADActiveViewMonitor.h"
#include "ads/foundation/GADApplication.h"
#include "ads/webview/GADActiveViewSDKCoreWebView.h"
#include "ads/webview/GADAdURLStash.h"
#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/JSON.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Window.h"
#include "tests/ads/api/FakeSDKCoreController.h"
#include "tests/support/LocalServer.h"
#include "tests/support/MRAIDScripts.h"

using foundation::RunLoop;

namespace {

constexpr const char* kReportPrefix = "VIRA_updateActiveView(";

// An SDK-core page lent for one slot's reports: it keeps every command and,
// once its page has loaded, runs them there.
class ReportPage : public GADActiveViewSDKCoreWebView {
  public:
    std::shared_ptr<GADWebView> activeViewWebView() const override { return webView; }
    void executeJavaScriptCommand(const std::string& command) override {
        commands.push_back(command);
        if (webView->didReceiveLoadEvent()) {
            webView->stringByEvaluatingJavaScriptFromString(command);
        }
    }
    // The unit of each report, in order.
    std::vector<foundation::Value> units() const {
        std::vector<foundation::Value> found;
        for (const auto& command : commands) {
            EXPECT_TRUE(command.starts_with(kReportPrefix) && command.ends_with(")")) << command;
            const auto json = foundation::JSON::parse(std::string_view(command).substr(
                std::string(kReportPrefix).size(),
                command.size() - std::string(kReportPrefix).size() - 1));
            EXPECT_TRUE(json) << command;
            found.push_back(json ? (*json)["units"][0] : foundation::Value());
        }
        return found;
    }

    std::shared_ptr<GADWebView> webView = std::make_shared<GADWebView>(graphics::Rect{});
    std::shared_ptr<GADWebViewDelegate> delegate;
    std::vector<std::string> commands;
};

class ReportingController : public FakeSDKCoreController {
  public:
    std::optional<foundation::Array> activeViewMonitorRefreshIntervals() const override {
        return intervals;
    }
    std::shared_ptr<GADActiveViewSDKCoreWebView> nextSDKCoreWebView() override {
        lent.push_back(makePage ? makePage() : std::make_shared<ReportPage>());
        return lent.back();
    }
    void finishedUsingSDKCoreWebView(
        const std::shared_ptr<GADActiveViewSDKCoreWebView>& page) override {
        finished.push_back(std::static_pointer_cast<ReportPage>(page));
    }

    std::optional<foundation::Array> intervals = foundation::Array{1, 1, 5};
    std::function<std::shared_ptr<ReportPage>()> makePage;
    std::vector<std::shared_ptr<ReportPage>> lent;
    std::vector<std::shared_ptr<ReportPage>> finished;
};

class GADSlotActiveViewTest : public testing::Test {
  protected:
    void SetUp() override {
        GADApplication::sharedApplication().reset();
        ui::Application::shared().becomeActive();
        GADSDKCoreController::setSharedInstance(controller);
        server.start();
        window->makeKeyAndVisible();
        // The banner sits in a clipping scroller 100 points below the top.
        scroller->setClipsToBounds(true);
        scroller->addSubview(banner);
        window->addSubview(scroller);
    }
    void TearDown() override {
        banner.reset();
        RunLoop::main().runUntilIdle();
    }

    const std::shared_ptr<GADSlot>& slot() { return banner->slot(); }

    // The slot shows an HTML ad of the given response headers.
    void showAd(const std::string& html, std::optional<foundation::Dictionary> headers) {
        slot()->setState(GADSlotStateRequestingAdURL);
        auto ad = std::make_shared<GADAd>();
        ad->setAdHTML(html);
        ad->setAdBaseURL(foundation::URL::fromString(server.url("/creative")));
        slot()->loadAd(ad, std::move(headers));
        ASSERT_TRUE(RunLoop::main().runUntil(
            [&] { return slot()->state() == GADSlotStateReady && !slot()->webView()->isLoading(); },
            10));
        RunLoop::main().runUntilIdle();
    }
    void showActiveViewAd() {
        showAd("<html><body>ad</body></html>",
               foundation::Dictionary{{"X-Vira-ActiveView", "{\"unit\":\"v1\"}"}});
    }
    std::size_t reports() const { return controller->lent.back()->commands.size(); }
    foundation::Value lastUnit() const { return controller->lent.back()->units().back(); }

    testing_support::LocalServer server;
    std::shared_ptr<ReportingController> controller = std::make_shared<ReportingController>();
    ui::Window::Ptr window = ui::Window::make();
    std::shared_ptr<ui::ScrollView> scroller =
        std::make_shared<ui::ScrollView>(graphics::Rect{0, 100, 320, 200});
    std::shared_ptr<GADBannerView> banner = GADBannerView::makeWithAdSize(kGADAdSizeBanner);
};

TEST_F(GADSlotActiveViewTest, AnAdThatDoesNotAskGetsNoMonitor) {
    showAd("<html><body>plain</body></html>", std::nullopt);
    EXPECT_EQ(slot()->activeViewMonitor(), nullptr);
    EXPECT_TRUE(controller->lent.empty());

    // Without a schedule from the SDK constants there is no monitor either.
    controller->intervals.reset();
    showActiveViewAd();
    EXPECT_EQ(slot()->activeViewMonitor(), nullptr);
    EXPECT_TRUE(controller->lent.empty());
}

TEST_F(GADSlotActiveViewTest, ASwipeableAdIsMonitoredAndItsPageHearsWhereItIs) {
    showAd(
        "<script>window.heard = []; window.VIRA_ReceiveMessage = (n) => heard.push(n);"
        "</script>",
        foundation::Dictionary{{"X-Vira-Swipe-To-View-Controller",
                                R"({"app_store_product_id": 123, "swipeable_rectangles": []})"}});
    ASSERT_TRUE(slot()->activeViewMonitor());
    EXPECT_EQ(reports(), 1u);
    EXPECT_EQ(slot()->webView()->stringByEvaluatingJavaScriptFromString("heard.join()"),
              "onAdVisible");
}

TEST_F(GADSlotActiveViewTest, ReportsFollowTheAdAsItScrollsOffScreen) {
    foundation::ManualClock clock;
    showActiveViewAd();
    ASSERT_TRUE(slot()->activeViewMonitor());
    ASSERT_EQ(controller->lent.size(), 1u);
    ASSERT_EQ(reports(), 1u);  // sampled as soon as it loaded

    foundation::Value unit = lastUnit();
    EXPECT_EQ(unit["isVisible"].stringValue(), "1");
    EXPECT_EQ(unit["isSubViewOfVisibleWindow"].stringValue(), "1");
    EXPECT_EQ(unit["adFormat"].stringValue(), "banner_mb");
    EXPECT_EQ(unit["viraVersion"].stringValue(), GADRequest::sdkVersion());
    EXPECT_EQ(unit["activeViewJSON"]["unit"].stringValue(), "v1");
    EXPECT_EQ(unit["hashCode"].integerValue(), 1);
    EXPECT_TRUE(unit["doneReasonCode"].isNull());
    const foundation::Value onScreen =
        foundation::Dictionary{{"top", 100.0}, {"bottom", 150.0}, {"left", 0.0}, {"right", 320.0}};
    EXPECT_EQ(unit["adBox"], onScreen);
    EXPECT_EQ(unit["globalVisibleBox"], onScreen);
    EXPECT_EQ(unit["viewBox"]["top"].doubleValue(), 20.0);

    // The schedule: after 1 s, 1 s, then every 5 s.
    clock.advance(1);
    EXPECT_EQ(reports(), 2u);
    scroller->setContentOffset({0, 30});
    clock.advance(1);
    ASSERT_EQ(reports(), 3u);
    EXPECT_EQ(lastUnit()["isVisible"].stringValue(), "1");
    EXPECT_EQ(lastUnit()["globalVisibleBox"],
              foundation::Value(foundation::Dictionary{
                  {"top", 100.0}, {"bottom", 120.0}, {"left", 0.0}, {"right", 320.0}}));

    scroller->setContentOffset({0, 60});
    clock.advance(4.9);
    EXPECT_EQ(reports(), 3u);
    clock.advance(0.1);
    ASSERT_EQ(reports(), 4u);
    unit = lastUnit();
    EXPECT_EQ(unit["isVisible"].stringValue(), "0");
    EXPECT_EQ(unit["isSubViewOfVisibleWindow"].stringValue(), "1");
    EXPECT_EQ(unit["adBox"]["top"].doubleValue(), 40.0);
    EXPECT_EQ(unit["globalVisibleBox"],
              foundation::Value(foundation::Dictionary{
                  {"top", 0.0}, {"bottom", 0.0}, {"left", 0.0}, {"right", 0.0}}));

    // Leaving the window samples once more and stops; coming back resumes.
    scroller->setContentOffset({0, 0});
    banner->removeFromSuperview();
    ASSERT_EQ(reports(), 5u);
    EXPECT_EQ(lastUnit()["isSubViewOfVisibleWindow"].stringValue(), "0");
    EXPECT_EQ(lastUnit()["isVisible"].stringValue(), "0");
    clock.advance(20);
    EXPECT_EQ(reports(), 5u);
    scroller->addSubview(banner);
    EXPECT_EQ(reports(), 5u);
    clock.advance(5);
    ASSERT_EQ(reports(), 6u);
    EXPECT_EQ(lastUnit()["isVisible"].stringValue(), "1");

    // The application going inactive and active again samples at once.
    ui::Application::shared().resignActive();
    EXPECT_EQ(reports(), 7u);
    ui::Application::shared().becomeActive();
    EXPECT_EQ(reports(), 8u);
}

TEST_F(GADSlotActiveViewTest, ABannerInNoWindowIsSampledOnceAndMonitoredOnlyOnScreen) {
    foundation::ManualClock clock;
    banner->removeFromSuperview();
    showActiveViewAd();
    ASSERT_EQ(reports(), 1u);  // the sample taken as it loaded
    EXPECT_EQ(lastUnit()["isSubViewOfVisibleWindow"].stringValue(), "0");
    clock.advance(12);
    EXPECT_EQ(reports(), 1u);

    scroller->addSubview(banner);
    clock.advance(1);
    EXPECT_EQ(reports(), 2u);
    EXPECT_EQ(lastUnit()["isVisible"].stringValue(), "1");
}

TEST_F(GADSlotActiveViewTest, EachAdHasItsOwnUnitAndEndsItWithADoneReport) {
    showActiveViewAd();
    ASSERT_EQ(controller->lent.size(), 1u);
    auto first = controller->lent[0];
    showActiveViewAd();
    ASSERT_EQ(controller->lent.size(), 2u);
    EXPECT_EQ(slot()->activeViewMonitorSequenceNumber(), 2u);

    // The first page's last report is the done report of the same unit, and
    // the page went back to the controller.
    const auto units = first->units();
    ASSERT_GE(units.size(), 2u);
    for (std::size_t i = 0; i + 1 < units.size(); ++i) {
        EXPECT_EQ(units[i]["hashCode"].integerValue(), 1);
        EXPECT_TRUE(units[i]["doneReasonCode"].isNull());
    }
    EXPECT_EQ(units.back()["hashCode"].integerValue(), 1);
    EXPECT_EQ(units.back()["doneReasonCode"].stringValue(), "u");
    EXPECT_EQ(controller->finished, std::vector<std::shared_ptr<ReportPage>>{first});
    EXPECT_EQ(controller->lent[1]->units().front()["hashCode"].integerValue(), 2);

    // The banner going away ends its unit too.
    auto second = controller->lent[1];
    banner->removeFromSuperview();
    banner.reset();
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(second->units().back()["doneReasonCode"].stringValue(), "u");
    EXPECT_EQ(controller->finished.back(), second);
}

TEST_F(GADSlotActiveViewTest, AnMRAIDAdHearsThePagesVerdict) {
    foundation::ManualClock clock;
    testing_support::MRAIDScripts::serve(server);
    // The viewability page answers each report with its verdict.
    server.serve("/core", 200,
                 "<html><script>window.VIRA_updateActiveView = (report) => {"
                 " location.href = 'gmsg://core/visibilityChanged?isVisible=' +"
                 " report.units[0].isVisible; };</script></html>");
    auto core = std::make_shared<ReportPage>();
    core->delegate = std::make_shared<GADWebViewDelegate>();
    core->webView->setDelegate(core->delegate);
    core->webView->loadRequest(net::URLRequest(*foundation::URL::fromString(server.url("/core"))));
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] { return core->webView->didReceiveLoadEvent() && !core->webView->isLoading(); }, 10));
    controller->makePage = [core] { return core; };
    showAd("<html><head><script src=\"mraid.js\"></script></head><body>ad</body></html>",
           std::nullopt);
    ASSERT_TRUE(slot()->isMRAIDEnabled());
    ASSERT_EQ(controller->lent.size(), 1u);
    EXPECT_EQ(controller->lent[0]->webView->activeViewObserver(), slot());
    const auto page = [&](const std::string& script) {
        return slot()->webView()->stringByEvaluatingJavaScriptFromString(script);
    };
    page(
        "window.viewable = []; mraid.addEventListener('viewableChange', (v) => viewable.push(v));");
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(page("String(mraid.isViewable())"), "true");

    scroller->setContentOffset({0, 60});
    clock.advance(1);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(page("String(mraid.isViewable())"), "false");
    scroller->setContentOffset({0, 0});
    clock.advance(1);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(page("viewable.join()"), "false,true");
}

}  // namespace
