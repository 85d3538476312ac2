#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ads/foundation/GADURLAdditions.h"
#include "ads/webview/GADSDKCoreWebView.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/URLRequest.h"
#include "tests/support/AdServer.h"

using foundation::RunLoop;
using testing_support::AdServer;

namespace {

class Observer : public GADSDKCoreWebViewNotification {
  public:
    void didFinishLoadingSDKCoreInSDKCoreWebView(GADSDKCoreWebView& webView) override {
        statesSeen.push_back(webView.state());
    }
    std::vector<std::int64_t> statesSeen;
};

class GADSDKCoreWebViewTest : public testing::Test {
  protected:
    void SetUp() override { server.useAsSDKCoreServer(); }

    // Loads the page and waits for its load to end.
    std::shared_ptr<GADSDKCoreWebView> loaded() {
        auto core = GADSDKCoreWebView::make();
        auto observer = std::make_shared<Observer>();
        core->addObserverForOneTimeNotification(observer);
        core->refreshSDKCore();
        RunLoop::main().runUntil([&] { return !observer->statesSeen.empty(); }, 20);
        return core;
    }

    std::string evaluate(GADSDKCoreWebView& core, const std::string& script) {
        return core.webView()->stringByEvaluatingJavaScriptFromString(script);
    }

    AdServer server;
};

TEST_F(GADSDKCoreWebViewTest, CommandsWaitForTheLoadAndRunInOrderKeepingTheNewestFifty) {
    auto core = GADSDKCoreWebView::make();
    EXPECT_EQ(core->state(), GADSDKCoreWebViewStateNew);
    for (int i = 1; i <= 51; ++i) {
        core->executeJavaScriptCommand("window.ran = (window.ran || []).concat(" +
                                       std::to_string(i) + ");");
    }
    EXPECT_EQ(core->pendingJavaScriptCommandCount(), GADSDKCoreWebView::kMaxPendingJSCommands);
    auto observer = std::make_shared<Observer>();
    core->addObserverForOneTimeNotification(observer);
    core->refreshSDKCore();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !observer->statesSeen.empty(); }, 20));
    EXPECT_EQ(observer->statesSeen, std::vector<std::int64_t>{GADSDKCoreWebViewStateLoaded});
    EXPECT_TRUE(core->hasSDKCoreLoadedAtLeastOnce());
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] {
            return core->pendingJavaScriptCommandCount() == 0 &&
                   evaluate(*core, "String(window.ran && window.ran.length)") == "50";
        },
        20));
    EXPECT_EQ(evaluate(*core, "window.ran[0] + '..' + window.ran[49]"), "2..51");
    // A command issued once loaded runs as well.
    core->executeJavaScriptCommand("window.ran.push('late');");
    EXPECT_TRUE(RunLoop::main().runUntil(
        [&] { return evaluate(*core, "String(window.ran[50])") == "late"; }, 20));
}

TEST_F(GADSDKCoreWebViewTest, ObserversAreToldOnceWhenTheLoadEndsOrAtOnceWhenItHasEnded) {
    auto core = GADSDKCoreWebView::make();
    auto whileLoading = std::make_shared<Observer>();
    core->refreshSDKCore();
    core->addObserverForOneTimeNotification(whileLoading);
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !whileLoading->statesSeen.empty(); }, 20));
    auto afterwards = std::make_shared<Observer>();
    core->addObserverForOneTimeNotification(afterwards);
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !afterwards->statesSeen.empty(); }, 20));
    // A second finished load (a frame) tells only the observers then waiting.
    core->webViewDidFinishLoad(*core->webView());
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(whileLoading->statesSeen, std::vector<std::int64_t>{GADSDKCoreWebViewStateLoaded});
    EXPECT_EQ(afterwards->statesSeen, std::vector<std::int64_t>{GADSDKCoreWebViewStateLoaded});
    EXPECT_EQ(core->state(), GADSDKCoreWebViewStateLoaded);
}

TEST_F(GADSDKCoreWebViewTest, APageThatDoesNotLoadFailsAndTakesNoMoreCommands) {
    struct Case {
        const char* name;
        std::function<void(AdServer&)> prepare;
    };
    const std::vector<Case> cases = {
        {"server error", [](AdServer& s) { s.setPageStatus(500); }},
        {"closed port",
         [](AdServer&) {
             GADSetSDKCorePageURL("http://127.0.0.1:1/mads/static/sdk/native/sdk-core-v40.html");
         }},
    };
    for (const Case& c : cases) {
        c.prepare(server);
        auto core = GADSDKCoreWebView::make();
        core->executeJavaScriptCommand("window.early = 1;");
        auto observer = std::make_shared<Observer>();
        core->addObserverForOneTimeNotification(observer);
        core->refreshSDKCore();
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return !observer->statesSeen.empty(); }, 20))
            << c.name;
        EXPECT_EQ(core->state(), GADSDKCoreWebViewStateFailed) << c.name;
        EXPECT_FALSE(core->hasSDKCoreLoadedAtLeastOnce()) << c.name;
        core->executeJavaScriptCommand("window.late = 1;");
        RunLoop::main().runUntilIdle();
        // The earlier command waits for a load that works; the later one is dropped.
        EXPECT_EQ(core->pendingJavaScriptCommandCount(), 1u) << c.name;
        server.useAsSDKCoreServer();
        server.setPageStatus(200);
    }
}

TEST_F(GADSDKCoreWebViewTest, OnlyThePageAndLoadedPagesMessagesGetThrough) {
    auto core = GADSDKCoreWebView::make();
    auto& view = *core->webView();
    auto request = [](const std::string& url) {
        return net::URLRequest(*foundation::URL::fromString(url));
    };
    const auto link = web::NavigationType::linkClicked;
    // A message before the page has loaded is refused.
    EXPECT_FALSE(
        core->webViewShouldStartLoad(view, request("gmsg://x/loadAdURL?request_id=1"), link));
    core = loaded();
    auto& loadedView = *core->webView();
    EXPECT_FALSE(core->webViewShouldStartLoad(loadedView, request(server.url("/elsewhere")), link));
    EXPECT_FALSE(core->webViewShouldStartLoad(loadedView, request("https://example.com/"), link));
    // The page itself may load again; a message is taken, never loaded.
    EXPECT_TRUE(core->webViewShouldStartLoad(loadedView, request(server.pageURL()),
                                             web::NavigationType::other));
    EXPECT_EQ(core->state(), GADSDKCoreWebViewStateLoading);
    core->setState(GADSDKCoreWebViewStateLoaded);
    EXPECT_FALSE(
        core->webViewShouldStartLoad(loadedView, request("gmsg://x/loadAdURL?request_id=1"), link));
}

}  // namespace
