#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ads/api/GADAd.h"
#include "ads/foundation/GADURLAdditions.h"
#include "ads/webview/GADMRAIDInterceptor.h"
#include "ads/webview/GADSDKCoreController.h"
#include "ads/webview/GADSDKCoreGMSGHandler.h"
#include "ads/webview/GADSDKCoreWebView.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/foundation/UserDefaults.h"
#include "tests/support/AdServer.h"

using foundation::RunLoop;
using testing_support::AdServer;

namespace {

// A slot as the controller sees it: its parameters, and every answer.
class Asker : public GADSDKCoreControllerDelegate {
  public:
    explicit Asker(std::string unit) {
        if (!unit.empty()) {
            parameters["slotname"] = unit;
        }
    }
    foundation::Dictionary requestParameters() override {
        askedOnMain = foundation::Thread::isMainThread();
        foundation::Dictionary sent = parameters;
        sent["request_id"] = requestID;
        return parameters.empty() ? parameters : sent;
    }
    void setRequestID(const std::string& id) override { requestID = id; }
    void loadAdURLWithParameters(const foundation::Dictionary& answer) override {
        answers.push_back("loadAdURL");
        url = foundation::Value(answer)["url"].stringValue();
    }
    void loadAd(const std::shared_ptr<GADAd>& received,
                const std::optional<foundation::Dictionary>& received_headers) override {
        answers.push_back("loadAd");
        ad = received;
        headers = received_headers;
    }
    void invalidJavaScriptRequest() override { answers.push_back("invalidRequest"); }
    void failedJavaScriptFile() override { answers.push_back("failedJavaScriptFile"); }
    void javaScriptRequestTimedOut() override { answers.push_back("timedOut"); }

    foundation::Dictionary parameters;
    std::string requestID;
    bool askedOnMain = false;
    std::vector<std::string> answers;
    std::string url;
    std::shared_ptr<GADAd> ad;
    std::optional<foundation::Dictionary> headers;
};

class GADSDKCoreControllerTest : public testing::Test {
  protected:
    void SetUp() override {
        // The finished ads are GADAds, as every slot installs them.
        GADAd::installSDKCoreAdMaker();
        server.useAsSDKCoreServer();
    }

    std::shared_ptr<Asker> ask(const std::string& unit = "unit-1") {
        auto asker = std::make_shared<Asker>(unit);
        controller->buildAdURL(asker);
        return asker;
    }
    bool answered(const std::vector<std::shared_ptr<Asker>>& askers) {
        return RunLoop::main().runUntil(
            [&] {
                for (const auto& asker : askers) {
                    if (asker->answers.empty()) {
                        return false;
                    }
                }
                return true;
            },
            20);
    }
    // Lets the page send a message, as its script would.
    void pageSends(const std::string& message) {
        controller->activeSDKCoreWebView()->webView()->stringByEvaluatingJavaScriptFromString(
            "window.location.href = '" + message + "';");
    }

    AdServer server;
    std::shared_ptr<GADSDKCoreController> controller = std::make_shared<GADSDKCoreController>();
};

TEST_F(GADSDKCoreControllerTest, TheFirstRequestsLoadThePageWhichNumbersAndAnswersThemInOrder) {
    GADMRAIDInterceptor::setBannerImplementationPath(std::nullopt);
    auto first = ask("unit-1");
    auto second = ask("unit-2");
    ASSERT_TRUE(answered({first, second}));
    EXPECT_EQ(server.requestsTo(AdServer::kPagePath).size(), 1u);
    EXPECT_EQ(first->requestID, "1");
    EXPECT_EQ(second->requestID, "2");
    EXPECT_TRUE(first->askedOnMain);
    EXPECT_EQ(first->answers, std::vector<std::string>{"loadAdURL"});
    EXPECT_EQ(first->url, server.url("/mads/gma?slotname=unit-1"));
    EXPECT_EQ(second->url, server.url("/mads/gma?slotname=unit-2"));
    // The constants were asked for first and applied.
    EXPECT_FALSE(controller->SDKConstantsNeedReload());
    EXPECT_EQ(GADMRAIDInterceptor::bannerImplementationPath(),
              std::optional<std::string>(server.url("/mraid/v1/mraid_app_banner.js")));
    EXPECT_EQ(controller->pendingRequestCount(), 0u);
    // A later request goes to the loaded page at once.
    auto third = ask("unit-3");
    ASSERT_TRUE(answered({third}));
    EXPECT_EQ(third->requestID, "3");
    EXPECT_EQ(server.requestsTo(AdServer::kPagePath).size(), 1u);
}

TEST_F(GADSDKCoreControllerTest, ASlotThatAsksTwiceBeforeTheLoadIsAskedOnce) {
    auto asker = std::make_shared<Asker>("unit-1");
    controller->buildAdURL(asker);
    controller->buildAdURL(asker);
    ASSERT_TRUE(answered({asker}));
    RunLoop::main().runUntil([] { return false; }, 0.3);
    EXPECT_EQ(asker->answers, std::vector<std::string>{"loadAdURL"});
    EXPECT_EQ(asker->requestID, "1");
}

TEST_F(GADSDKCoreControllerTest, EveryKindOfAnswerReachesTheSlotThatAsked) {
    server.setPageConfig(
        "{readyAds: {'ready-unit': {ad: {ad_html: '<b>ready</b>', ad_base_url: "
        "'http://127.0.0.1/'}, header: {'X-Vira-Refresh-Rate': '30'}}}}");
    auto url = ask("unit-1");
    auto ready = ask("ready-unit");
    auto refused = ask("");
    ASSERT_TRUE(answered({url, ready, refused}));
    EXPECT_EQ(url->answers, std::vector<std::string>{"loadAdURL"});
    EXPECT_EQ(ready->answers, std::vector<std::string>{"loadAd"});
    ASSERT_TRUE(ready->ad);
    EXPECT_EQ(ready->ad->adHTML(), std::optional<std::string>("<b>ready</b>"));
    ASSERT_TRUE(ready->headers);
    EXPECT_EQ(foundation::Value(*ready->headers)["X-Vira-Refresh-Rate"].stringValue(), "30");
    // No parameters at all: refused at once, without asking the page.
    EXPECT_EQ(refused->answers, std::vector<std::string>{"invalidRequest"});
}

TEST_F(GADSDKCoreControllerTest, TheSlotsRequestJSONIsRefusedOrSentAsTheParametersSay) {
    auto unwritable = std::make_shared<Asker>("unit-1");
    unwritable->parameters["blob"] = foundation::Value(foundation::Data{1, 2, 3});
    controller->buildAdURL(unwritable);
    ASSERT_TRUE(answered({unwritable}));
    EXPECT_EQ(unwritable->answers, std::vector<std::string>{"invalidRequest"});

    // Values of "extras" that JSON cannot hold go as their description.
    const std::string json = GADSDKCoreController::adRequestParameterJSONFromParameters(
        {{"extras",
          foundation::Dictionary{{"blob", foundation::Value(foundation::Data{1})}, {"text", "a"}}},
         {"slotname", "u"}});
    EXPECT_EQ(json, "{\"extras\":{\"blob\":\"" +
                        foundation::Value(foundation::Data{1}).description() +
                        "\",\"text\":\"a\"},\"slotname\":\"u\"}");
}

TEST_F(GADSDKCoreControllerTest, UnreadableOrRepeatedAnswersReachNoOneTwice) {
    server.servePageThatNeverAnswers();
    auto asker = ask("unit-1");
    ASSERT_TRUE(
        RunLoop::main().runUntil([&] { return controller->pendingRequestCount() == 1; }, 20));
    // A finished ad whose JSON cannot be read counts as a refusal.
    pageSends("gmsg://mobileads.dezuvo.com/loadAd?request_id=1&ad=%7Bnot%20json");
    ASSERT_TRUE(answered({asker}));
    EXPECT_EQ(asker->answers, std::vector<std::string>{"invalidRequest"});
    EXPECT_EQ(controller->pendingRequestCount(), 0u);
    // Answers to an answered or unknown request go nowhere.
    pageSends("gmsg://mobileads.dezuvo.com/loadAdURL?request_id=1&url=http%3A%2F%2Fa");
    pageSends("gmsg://mobileads.dezuvo.com/loadAdURL?request_id=99&url=http%3A%2F%2Fa");
    RunLoop::main().runUntil([] { return false; }, 0.3);
    EXPECT_EQ(asker->answers, std::vector<std::string>{"invalidRequest"});
}

TEST_F(GADSDKCoreControllerTest, AFinishedAdWithoutAnAdMakerIsRefusedWithALogLine) {
    GADSDKCoreGMSGHandler::setAdMaker(nullptr);
    server.servePageThatNeverAnswers();
    auto asker = ask("unit-1");
    ASSERT_TRUE(
        RunLoop::main().runUntil([&] { return controller->pendingRequestCount() == 1; }, 20));
    foundation::LogCapture log;
    pageSends("gmsg://mobileads.dezuvo.com/loadAd?request_id=1&ad=%7B%7D");
    ASSERT_TRUE(answered({asker}));
    EXPECT_EQ(asker->answers, std::vector<std::string>{"invalidRequest"});
    EXPECT_EQ(asker->ad, nullptr);
    EXPECT_TRUE(log.contains("no ad maker"));
}

TEST_F(GADSDKCoreControllerTest, APageThatNeverAnswersTimesOutEachRequestOnce) {
    server.servePageThatNeverAnswers();
    foundation::ManualClock clock;
    auto asker = ask("unit-1");
    ASSERT_TRUE(
        RunLoop::main().runUntil([&] { return controller->pendingRequestCount() == 1; }, 20));
    clock.advance(GADSDKCoreController::kRequestTimeout - 1);
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(asker->answers.empty());
    clock.advance(1);
    ASSERT_TRUE(answered({asker}));
    EXPECT_EQ(asker->answers, std::vector<std::string>{"timedOut"});
    EXPECT_EQ(controller->pendingRequestCount(), 0u);
    clock.advance(GADSDKCoreController::kRequestTimeout);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(asker->answers.size(), 1u);
}

TEST_F(GADSDKCoreControllerTest, APageThatFailsToLoadFailsTheWaitingSlotsAndIsLoadedAgain) {
    struct Case {
        const char* name;
        std::function<void()> breakPage;
    };
    const std::vector<Case> cases = {
        {"server error", [this] { server.setPageStatus(500); }},
        {"closed port",
         [] {
             GADSetSDKCorePageURL("http://127.0.0.1:1/mads/static/sdk/native/sdk-core-v40.html");
         }},
    };
    for (const Case& c : cases) {
        controller = std::make_shared<GADSDKCoreController>();
        c.breakPage();
        auto first = ask("unit-1");
        auto second = ask("unit-2");
        ASSERT_TRUE(answered({first, second})) << c.name;
        EXPECT_EQ(first->answers, std::vector<std::string>{"failedJavaScriptFile"}) << c.name;
        EXPECT_EQ(second->answers, std::vector<std::string>{"failedJavaScriptFile"}) << c.name;
        // Mended, the page is loaded again by the next request.
        server.setPageStatus(200);
        server.useAsSDKCoreServer();
        const std::size_t loads = server.requestsTo(AdServer::kPagePath).size();
        auto third = ask("unit-3");
        ASSERT_TRUE(answered({third})) << c.name;
        EXPECT_EQ(third->answers, std::vector<std::string>{"loadAdURL"}) << c.name;
        EXPECT_EQ(server.requestsTo(AdServer::kPagePath).size(), loads + 1) << c.name;
    }
}

TEST_F(GADSDKCoreControllerTest, ThePageIsReloadedAfterAnHourFailingTheRequestsItHeld) {
    foundation::ManualClock clock;
    auto first = ask("unit-1");
    ASSERT_TRUE(answered({first}));
    // Exactly an hour after the load the page is still used.
    clock.advance(GADSDKCoreController::kPageLifetimeMilliseconds / 1000.0 - 30);
    controller->activeSDKCoreWebView()->webView()->stringByEvaluatingJavaScriptFromString(
        "window.VIRA_buildAdURL = () => {};");
    auto held = ask("unit-2");
    ASSERT_TRUE(
        RunLoop::main().runUntil([&] { return controller->pendingRequestCount() == 1; }, 20));
    clock.advance(30);
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(held->answers.empty());
    EXPECT_EQ(server.requestsTo(AdServer::kPagePath).size(), 1u);
    // A millisecond later the next request reloads it, and the old page's
    // request fails.
    clock.advance(0.001);
    auto next = ask("unit-3");
    ASSERT_TRUE(answered({held}));
    EXPECT_EQ(held->answers, std::vector<std::string>{"failedJavaScriptFile"});
    EXPECT_TRUE(server.waitForRequests(AdServer::kPagePath, 2));
    EXPECT_TRUE(controller->SDKConstantsNeedReload());
}

TEST_F(GADSDKCoreControllerTest, TheConstantsAreAppliedKeyByKey) {
    auto handler = std::make_shared<GADSDKCoreGMSGHandler>();
    auto& defaults = foundation::UserDefaults::standard();
    controller->SDKCoreGMSGHandlerLoadSDKConstants(*handler,
                                                   {{"mraid_banner_path", "http://s/b.js"},
                                                    {"mraid_disable_redirect", "1"},
                                                    {"active_view_sampling_intervals", "[0.5,2]"},
                                                    {"as_domains", "ads.example"},
                                                    {"bad_ad_report_path", ""}});
    EXPECT_EQ(GADMRAIDInterceptor::bannerImplementationPath(),
              std::optional<std::string>("http://s/b.js"));
    EXPECT_EQ(GADMRAIDInterceptor::interstitialImplementationPath(), std::nullopt);
    EXPECT_FALSE(GADMRAIDInterceptor::isAllowed());
    ASSERT_TRUE(controller->activeViewMonitorRefreshIntervals());
    EXPECT_EQ(controller->activeViewMonitorRefreshIntervals()->size(), 2u);
    EXPECT_EQ(defaults.objectForKey("as_domains").stringValue(), "ads.example");
    EXPECT_TRUE(defaults.objectForKey("bad_ad_report_path").isNull());
    EXPECT_FALSE(controller->SDKConstantsNeedReload());

    struct Case {
        const char* intervals;
        bool kept;
    };
    for (const Case& c :
         {Case{"[1,\"x\"]", false}, Case{"{}", false}, Case{"[", false}, Case{"[1, 2.5]", true}}) {
        controller->SDKCoreGMSGHandlerLoadSDKConstants(
            *handler, {{"active_view_sampling_intervals", c.intervals}});
        EXPECT_EQ(controller->activeViewMonitorRefreshIntervals().has_value(), c.kept)
            << c.intervals;
    }
    // Without the key the intervals stay; without the switch scripts are served.
    controller->SDKCoreGMSGHandlerLoadSDKConstants(*handler, {});
    EXPECT_TRUE(controller->activeViewMonitorRefreshIntervals());
    EXPECT_TRUE(GADMRAIDInterceptor::isAllowed());
}

TEST_F(GADSDKCoreControllerTest, ItsQueuesAnswerWhileTheMainThreadIsBusy) {
    server.servePageThatNeverAnswers();
    auto asker = ask("unit-1");
    ASSERT_TRUE(
        RunLoop::main().runUntil([&] { return controller->pendingRequestCount() == 1; }, 20));
    // The main thread waits here, with a request outstanding; the
    // controller's state stays readable and writable without it.
    auto reading = std::async(std::launch::async, [this] {
        controller->setActiveViewMonitorRefreshIntervals(foundation::Array{1});
        return controller->pendingRequestCount() +
               controller->activeViewMonitorRefreshIntervals()->size();
    });
    ASSERT_EQ(reading.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(reading.get(), 2u);
}

TEST_F(GADSDKCoreControllerTest, ActiveViewPagesAreKeptUntilTheirUnloadPingAtMostFour) {
    std::vector<std::shared_ptr<GADActiveViewSDKCoreWebView>> pages;
    for (int i = 0; i < 5; ++i) {
        pages.push_back(controller->nextSDKCoreWebView());
    }
    pages[0]->activeViewWebView()->setActiveViewUnloadPingReceived(true);
    for (const auto& page : pages) {
        controller->finishedUsingSDKCoreWebView(page);
    }
    EXPECT_EQ(controller->runningActiveViewWebViewCount(), 4u);
    pages[4]->activeViewWebView()->setActiveViewUnloadPingReceived(true);
    controller->nextSDKCoreWebView();
    EXPECT_EQ(controller->runningActiveViewWebViewCount(), 3u);
    EXPECT_TRUE(server.waitForRequests(AdServer::kPagePath, 5));
}

}  // namespace
