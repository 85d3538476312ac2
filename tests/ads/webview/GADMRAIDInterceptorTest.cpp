#include <gtest/gtest.h>

#include "ads/webview/GADAdURLStash.h"
#include "ads/webview/GADMRAIDAdSlot.h"
#include "ads/webview/GADMRAIDInterceptor.h"
#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "tests/support/LocalServer.h"
#include "tests/support/MRAIDScripts.h"

using foundation::RunLoop;
using testing_support::MRAIDScripts;

namespace {

struct FakeSlot : GADMRAIDAdSlot {
    bool interstitial = false;
    int marks = 0;
    bool markedOnMainThread = true;
    bool isInterstitialSlot() const override { return interstitial; }
    void willLoadMRAIDAd() override {
        ++marks;
        markedOnMainThread = markedOnMainThread && foundation::Thread::isMainThread();
    }
};

class SlotDelegate : public GADWebViewDelegate {
  public:
    std::shared_ptr<GADMRAIDAdSlot> slot;
    std::shared_ptr<GADMRAIDAdSlot> MRAIDAdSlot() const override { return slot; }
};

// Records what a protocol answers.
struct RecordingClient : net::URLProtocolClient {
    std::optional<net::URLResponse> response;
    std::string body;
    bool finished = false;
    std::optional<net::URLError> error;
    void didReceiveResponse(net::URLProtocol&, const net::URLResponse& r) override { response = r; }
    void didLoadData(net::URLProtocol&, const foundation::Data& data) override {
        body.append(data.begin(), data.end());
    }
    void didFinishLoading(net::URLProtocol&) override { finished = true; }
    void didFailWithError(net::URLProtocol&, const net::URLError& e) override { error = e; }
};

net::URLRequest scriptRequest(const std::string& url, const std::string& referer,
                              const std::string& field = "Referer") {
    net::URLRequest request = net::URLRequest::withString(url);
    if (!referer.empty()) {
        request.setValue(referer, field);
    }
    return request;
}

class GADMRAIDInterceptorTest : public testing::Test {
  protected:
    void SetUp() override {
        MRAIDScripts::serve(server);
        server.start();
        view = std::make_shared<GADWebView>(graphics::Rect{0, 0, 320, 50});
        view->setDelegate(delegate);
    }
    void TearDown() override { RunLoop::main().runUntilIdle(); }

    // Loads an ad page that asks for "mraid.js" and answers what the page
    // learned of it.
    std::string loadMRAIDPage() {
        view->loadHTMLString(
            "<html><head><script src=\"mraid.js\"></script></head><body>ad</body></html>",
            foundation::URL::fromString(server.url("/creative/ad")));
        RunLoop::main().runUntilIdle();
        EXPECT_TRUE(RunLoop::main().runUntil([&] { return !view->isLoading(); }, 10));
        return view->stringByEvaluatingJavaScriptFromString(
            "window.mraid ? mraid.getPlacementType() + ' ' + mraid.getState() : 'none'");
    }

    testing_support::LocalServer server;
    std::shared_ptr<SlotDelegate> delegate = std::make_shared<SlotDelegate>();
    std::shared_ptr<GADWebView> view;
};

TEST_F(GADMRAIDInterceptorTest, TakesOnlyMRAIDScriptsOfStashedPagesWhileASlotExpectsAnAd) {
    GADAdURLStash::add(foundation::URL::fromString("http://ads.test/page"), view);
    struct Case {
        const char* rule;
        net::URLRequest request;
        bool allowed;
        int counter;
        bool taken;
    };
    const std::vector<Case> cases = {
        {"a stashed page's mraid.js",
         scriptRequest("http://cdn.test/mraid.js", "http://ads.test/page"), true, 1, true},
        {"in any folder, referer in any case",
         scriptRequest("http://cdn.test/a/b/mraid.js?v=2", "http://ads.test/page", "REFERER"), true,
         1, true},
        {"the page's address in another form",
         scriptRequest("http://cdn.test/mraid.js", "http://ads.test/page#top"), true, 1, true},
        {"no slot expects an ad", scriptRequest("http://cdn.test/mraid.js", "http://ads.test/page"),
         true, 0, false},
        {"interception switched off",
         scriptRequest("http://cdn.test/mraid.js", "http://ads.test/page"), false, 1, false},
        {"a page that is not an ad",
         scriptRequest("http://cdn.test/mraid.js", "http://other.test/"), true, 1, false},
        {"no referer", scriptRequest("http://cdn.test/mraid.js", ""), true, 1, false},
        {"another script", scriptRequest("http://cdn.test/mraid.json", "http://ads.test/page"),
         true, 1, false},
        {"the script URL itself", scriptRequest("http://s.test/mraid.js", "http://ads.test/page"),
         true, 1, false},
    };
    GADMRAIDInterceptor::setInterstitialImplementationPath("http://s.test/mraid.js");
    for (const auto& c : cases) {
        GADMRAIDInterceptor::resetCanInitWithRequestCounter();
        for (int i = 0; i < c.counter; ++i) {
            GADMRAIDInterceptor::enableCanInitWithRequest();
        }
        c.allowed ? GADMRAIDInterceptor::allow() : GADMRAIDInterceptor::disallow();
        EXPECT_EQ(GADMRAIDInterceptor::canInitWithRequest(c.request), c.taken) << c.rule;
    }
    // A negative counter still means some slot is counted wrongly: any non-zero
    // count lets scripts through, as the class defines it.
    GADMRAIDInterceptor::resetCanInitWithRequestCounter();
    GADMRAIDInterceptor::disableCanInitWithRequest();
    EXPECT_TRUE(GADMRAIDInterceptor::canInitWithRequestIsEnabled());
}

TEST_F(GADMRAIDInterceptorTest, ScriptURLSetChangesOnlyWhileAllThreeAreKnown) {
    const std::string banner = *GADMRAIDInterceptor::bannerImplementationPath();
    EXPECT_TRUE(
        GADMRAIDInterceptor::urlIsAnImplementationPath(*foundation::URL::fromString(banner)));
    GADMRAIDInterceptor::setBannerImplementationPath(std::nullopt);
    GADMRAIDInterceptor::setInterstitialImplementationPath("http://s.test/new/mraid.js");
    EXPECT_TRUE(
        GADMRAIDInterceptor::urlIsAnImplementationPath(*foundation::URL::fromString(banner)));
    EXPECT_FALSE(GADMRAIDInterceptor::urlIsAnImplementationPath(
        *foundation::URL::fromString("http://s.test/new/mraid.js")));
    GADMRAIDInterceptor::setBannerImplementationPath("http://s.test/b.js");
    EXPECT_TRUE(GADMRAIDInterceptor::urlIsAnImplementationPath(
        *foundation::URL::fromString("http://s.test/new/mraid.js")));
    EXPECT_FALSE(
        GADMRAIDInterceptor::urlIsAnImplementationPath(*foundation::URL::fromString(banner)));
    GADMRAIDInterceptor::resetToDefaultPaths();
    EXPECT_EQ(GADMRAIDInterceptor::bannerImplementationPath(),
              std::optional<std::string>("http://sdk.dezuvo.com/mraid/v1/mraid_app_banner.js"));
}

TEST_F(GADMRAIDInterceptorTest, AnswersWithTheFetchedScriptOrFails) {
    server.serve("/ok.js", 200, "var fetched = 1;", "text/plain");
    server.serve("/empty.js", 200, "", "text/plain");
    server.serve("/missing.js", 404, "not here", "text/html");
    server.serve("/broken.js", 500, "var broken = 1;", "text/plain");
    struct Case {
        const char* rule;
        std::optional<std::string> location;
        std::optional<std::string> body;
        std::optional<long> errorCode;
    };
    const std::vector<Case> cases = {
        {"a script", server.url("/ok.js"), "var fetched = 1;", std::nullopt},
        {"an empty script stays empty", server.url("/empty.js"), "", std::nullopt},
        {"a missing script fails", server.url("/missing.js"), std::nullopt,
         net::URLErrorCode::badServerResponse},
        {"a server error fails", server.url("/broken.js"), std::nullopt,
         net::URLErrorCode::badServerResponse},
        {"no script for the kind of page", std::nullopt, std::nullopt,
         GADMRAIDInterceptor::kNoScriptErrorCode},
    };
    for (const auto& c : cases) {
        auto client = std::make_shared<RecordingClient>();
        GADMRAIDInterceptor protocol(scriptRequest("http://cdn.test/mraid.js", ""), client);
        protocol.setMraidLocationToLoad(c.location);
        protocol.startLoading();
        if (c.body) {
            ASSERT_TRUE(client->response) << c.rule;
            EXPECT_EQ(client->response->mimeType(), "application/javascript") << c.rule;
            EXPECT_EQ(client->response->expectedContentLength(),
                      static_cast<long long>(c.body->size()))
                << c.rule;
            EXPECT_EQ(client->body, *c.body) << c.rule;
            EXPECT_TRUE(client->finished) << c.rule;
            EXPECT_FALSE(client->error) << c.rule;
        } else {
            EXPECT_FALSE(client->response) << c.rule;
            EXPECT_FALSE(client->finished) << c.rule;
            ASSERT_TRUE(client->error) << c.rule;
            EXPECT_EQ(client->error->code, *c.errorCode) << c.rule;
        }
    }
    auto client = std::make_shared<RecordingClient>();
    GADMRAIDInterceptor protocol(scriptRequest("http://cdn.test/mraid.js", ""), client);
    protocol.startLoading();
    ASSERT_TRUE(client->error);
    EXPECT_EQ(client->error->domain, GADMRAIDInterceptor::kNoScriptErrorDomain);
}

TEST_F(GADMRAIDInterceptorTest, AdPagesGetTheScriptOfTheirSlot) {
    auto slot = std::make_shared<FakeSlot>();
    struct Case {
        const char* rule;
        bool hasSlot;
        bool interstitial;
        const char* page;
        int marks;
    };
    const std::vector<Case> cases = {
        {"a banner slot's page", true, false, "inline default", 1},
        {"an interstitial slot's page", true, true, "interstitial default", 1},
        {"a page outside a slot (expanded)", false, false, "inline expanded", 0},
    };
    GADMRAIDInterceptor::enableCanInitWithRequest();
    for (const auto& c : cases) {
        slot->marks = 0;
        slot->interstitial = c.interstitial;
        delegate->slot = c.hasSlot ? slot : nullptr;
        loadMRAIDPage();
        view->stringByEvaluatingJavaScriptFromString("VIRA_ReceiveMessage('onReadyEventReceived')");
        EXPECT_EQ(view->stringByEvaluatingJavaScriptFromString(
                      "mraid.getPlacementType() + ' ' + mraid.getState()"),
                  c.page)
            << c.rule;
        EXPECT_EQ(slot->marks, c.marks) << c.rule;
    }
    EXPECT_TRUE(slot->markedOnMainThread);
}

TEST_F(GADMRAIDInterceptorTest, NoScriptWhileNoSlotExpectsAnAd) {
    delegate->slot = std::make_shared<FakeSlot>();
    EXPECT_EQ(loadMRAIDPage(), "none");
}

}  // namespace
