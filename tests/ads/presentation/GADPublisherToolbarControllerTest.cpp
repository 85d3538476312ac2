#include "ads/presentation/GADPublisherToolbarController.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ads/foundation/GADPublisherToolbarCredentials.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::Dictionary;
using foundation::RunLoop;
using foundation::URL;

// The toolbar script of these tests: it records the calls it gets and asks
// to be shown once started.
constexpr const char* kToolbarScript = R"(
var calls = [];
function VIRA_initializeToolbar(o) {
  calls.push('init ' + JSON.stringify(o));
  location.href = 'gmsg://mobileads.dezuvo.com/showJavaScriptWebView';
}
function VIRA_decodeImpression(o) { calls.push('decode ' + JSON.stringify(o)); }
function send(message) { location.href = 'gmsg://mobileads.dezuvo.com/' + message; }
)";

class GADPublisherToolbarControllerTest : public testing::Test {
  protected:
    void SetUp() override {
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        RunLoop::main().runUntilIdle();
    }
    // A screen still up is given back, so it hears nothing of later tests.
    void TearDown() override {
        for (const auto& toolbar : presented) {
            if (toolbar->retainCycle()) {
                RunLoop::main().runUntil([&] { return toolbar->viewDidAppear(); }, 10);
                toolbar->relinquishScreen();
                EXPECT_TRUE(waitForDismissal(*toolbar));
            }
        }
        RunLoop::main().runUntilIdle();
    }

    std::shared_ptr<GADPublisherToolbarController> presentToolbar(const std::string& scriptPath) {
        auto toolbar =
            GADPublisherToolbarController::make(std::string("<p>ad</p>"), std::string("unit-1"),
                                                *URL::fromString(server.url(scriptPath)));
        toolbar->presentFromViewController(root);
        presented.push_back(toolbar);
        return toolbar;
    }
    bool waitForShownScript(GADPublisherToolbarController& toolbar) {
        return RunLoop::main().runUntil([&] { return !toolbar.jsWebView()->isHidden(); }, 10);
    }
    // Has the script send a message and lets the web view decide on it.
    void send(GADPublisherToolbarController& toolbar, const std::string& message) {
        toolbar.jsWebView()->stringByEvaluatingJavaScriptFromString("send('" + message + "')");
        RunLoop::main().runUntilIdle();
    }
    bool waitForDismissal(GADPublisherToolbarController& toolbar) {
        return RunLoop::main().runUntil(
            [&] {
                return !toolbar.retainCycle() && !root->presentedViewController() &&
                       root->view()->window() != nullptr;
            },
            10);
    }
    static std::string calls(GADPublisherToolbarController& toolbar) {
        return toolbar.jsWebView()->stringByEvaluatingJavaScriptFromString("calls.join('|')");
    }

    testing_support::LocalServer server;
    std::vector<std::shared_ptr<GADPublisherToolbarController>> presented;
    ui::ViewController::Ptr root = std::make_shared<ui::ViewController>();
    ui::Window::Ptr window = ui::Window::make();
};

TEST_F(GADPublisherToolbarControllerTest, StartsTheScriptWithTheAdAndTheStoredCredentials) {
    server.serve("/toolbar.js", 200, kToolbarScript, "application/javascript");
    server.start();
    struct Case {
        std::optional<Dictionary> stored;
        const char* initialization;
        const char* rule;
    };
    const Case cases[] = {
        {std::nullopt, R"(init {"adContent":"<p>ad</p>","adUnitID":"unit-1"})", "none stored"},
        {Dictionary{}, R"(init {"adContent":"<p>ad</p>","adUnitID":"unit-1"})",
         "an empty dictionary is stored but not sent"},
        {Dictionary{{"token", "t-1"}},
         R"(init {"adContent":"<p>ad</p>","adUnitID":"unit-1","credentials":{"token":"t-1"}})",
         "stored credentials are sent"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        GADPublisherToolbarCredentials().clearCredentials();
        if (c.stored) {
            GADPublisherToolbarCredentials().storeCredentials(*c.stored);
        }
        auto toolbar = presentToolbar("/toolbar.js");
        EXPECT_TRUE(toolbar->spinnyWheel()->isAnimating());
        EXPECT_TRUE(toolbar->jsWebView()->isHidden());
        ASSERT_TRUE(waitForShownScript(*toolbar));
        EXPECT_EQ(calls(*toolbar), c.initialization);
        EXPECT_FALSE(toolbar->spinnyWheel()->isAnimating());

        // The script's view over the view less the toolbar along the bottom.
        const graphics::Rect bounds = toolbar->view()->bounds();
        EXPECT_EQ(toolbar->jsWebView()->frame(),
                  graphics::Rect(0, 0, bounds.size.width, bounds.size.height - 30));
        EXPECT_EQ(toolbar->toolbar()->frame(),
                  graphics::Rect(0, bounds.size.height - 30, bounds.size.width, 30));
        ASSERT_EQ(toolbar->toolbar()->items().size(), 1u);
        auto done = toolbar->toolbar()->items()[0];
        EXPECT_EQ(done->accessibilityLabel(), "Done");
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return toolbar->viewDidAppear(); }, 10));
        EXPECT_TRUE(done->tap());
        EXPECT_TRUE(waitForDismissal(*toolbar));
    }
}

TEST_F(GADPublisherToolbarControllerTest, MessagesOfTheScriptSignInAndKeepCredentials) {
    server.serve("/toolbar.js", 200, kToolbarScript, "application/javascript");
    // A sign-in page that tries to give orders of its own.
    server.serve("/signin", 200,
                 "<html><head><title>Sign in</title><script>location.href = "
                 "'gmsg://mobileads.dezuvo.com/clearCredentials';</script></head></html>");
    server.serve("/done", 200, "<html><head><title>Success code=42</title></head></html>");
    server.start();
    auto toolbar = presentToolbar("/toolbar.js");
    ASSERT_TRUE(waitForShownScript(*toolbar));

    send(*toolbar, "storeCredentials?token=t-2&user=pub");
    send(*toolbar, "log?text=hello");
    send(*toolbar, "unknownMessage");
    const Dictionary stored{{"token", "t-2"}, {"user", "pub"}};
    EXPECT_EQ(toolbar->credentials().credentials(), stored);

    send(*toolbar, "loadAuthenticationUri?authenticationUri=" + server.url("/signin"));
    ASSERT_NE(toolbar->oauthWebView(), nullptr);
    EXPECT_TRUE(toolbar->jsWebView()->isHidden());
    EXPECT_FALSE(toolbar->oauthWebView()->isHidden());
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] { return toolbar->oauthWebView()->title() == "Sign in"; }, 10));
    RunLoop::main().runUntil([&] { return !toolbar->oauthWebView()->isLoading(); }, 10);
    RunLoop::main().runUntilIdle();
    // A title without "Success" leaves the sign-in page up, and its message
    // changed nothing.
    EXPECT_FALSE(toolbar->oauthWebView()->isHidden());
    EXPECT_EQ(toolbar->credentials().credentials(), stored);

    send(*toolbar, "loadAuthenticationUri?authenticationUri=" + server.url("/done"));
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return toolbar->oauthWebView()->isHidden(); }, 10));
    EXPECT_TRUE(toolbar->spinnyWheel()->isAnimating());
    EXPECT_EQ(calls(*toolbar),
              R"(init {"adContent":"<p>ad</p>","adUnitID":"unit-1"}|)"
              R"(decode {"adContent":"<p>ad</p>","authenticationPageTitle":"Success code=42"})");

    // Kept across a restart.
    foundation::UserDefaults::resetStandardUserDefaults();
    EXPECT_TRUE(GADPublisherToolbarCredentials::hasToolbarCredentials());
    EXPECT_EQ(GADPublisherToolbarCredentials().credentials(), stored);

    send(*toolbar, "clearCredentials");
    EXPECT_FALSE(toolbar->credentials().credentials());
    EXPECT_FALSE(GADPublisherToolbarCredentials::hasToolbarCredentials());

    // Other addresses load as they are.
    web::WebView& view = *toolbar->jsWebView();
    EXPECT_TRUE(toolbar->webViewShouldStartLoad(view, net::URLRequest::withString(server.url("/x")),
                                                web::NavigationType::linkClicked));
    EXPECT_FALSE(toolbar->webViewShouldStartLoad(
        view, net::URLRequest::withString("gmsg://mobileads.dezuvo.com/log"),
        web::NavigationType::other));
}

TEST_F(GADPublisherToolbarControllerTest, AScriptThatCannotBeHadClosesTheScreen) {
    server.serve("/missing.js", 404, "not here");
    server.serve("/latin1.js", 200, "var name = 'M\xfcller';", "application/javascript");
    server.start();
    for (const char* path : {"/missing.js", "/latin1.js"}) {
        SCOPED_TRACE(path);
        auto toolbar = presentToolbar(path);
        ASSERT_TRUE(waitForDismissal(*toolbar));
        EXPECT_TRUE(toolbar->jsWebView()->isHidden());
    }
}

TEST_F(GADPublisherToolbarControllerTest, JavaScriptCallsPassArgumentsAsGiven) {
    auto toolbar = GADPublisherToolbarController::make(std::nullopt, std::nullopt);
    toolbar->jsWebView()->loadHTMLString(
        "<html><head><script>var got = [];"
        "function record() { got.push(!arguments.length ? '()' : typeof arguments[0] == 'string' "
        "? 'text ' + arguments[0] : JSON.stringify(arguments[0])); }"
        "</script></head></html>",
        std::nullopt);
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] {
            return toolbar->jsWebView()->stringByEvaluatingJavaScriptFromString("typeof record") ==
                   "function";
        },
        10));
    struct Case {
        std::optional<std::string> argument;
        bool wrapped;
        const char* received;
        const char* rule;
    };
    const Case cases[] = {
        {std::nullopt, false, "()", "no argument: empty parentheses"},
        {R"({"a":[1,"b"]})", false, R"({"a":[1,"b"]})", "unwrapped JSON as it is"},
        {"it's", true, "text it's", "a quote stays inside the string"},
        {"back\\slash 'q'", true, "text back\\slash 'q'", "a backslash stays itself"},
        {"two\nlines\r\xE2\x80\xA8"
         "and\xE2\x80\xA9more",
         true,
         "text two\nlines\r\xE2\x80\xA8"
         "and\xE2\x80\xA9more",
         "line terminators stay inside the string"},
    };
    for (const Case& c : cases) {
        toolbar->jsWebView()->stringByEvaluatingJavaScriptFromString("got = []");
        toolbar->callJavaScriptMethod("record", c.argument, c.wrapped);
        EXPECT_EQ(toolbar->jsWebView()->stringByEvaluatingJavaScriptFromString("got.join('|')"),
                  c.received)
            << c.rule;
    }
    RunLoop::main().runUntilIdle();
}

}  // namespace
