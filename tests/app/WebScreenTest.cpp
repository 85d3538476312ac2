#include <gtest/gtest.h>

#include "app/NetworkActivity.h"
#include "app/WebViewController.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/Reachability.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/Window.h"
#include "tests/platform/graphics/Ink.h"
#include "tests/support/LocalServer.h"

using foundation::RunLoop;
using foundation::URL;

namespace {

class WebScreenTest : public testing::Test {
  protected:
    void SetUp() override {
        net::Reachability::setSimulatedNetworkFlags(net::ReachabilityFlags::reachable);
    }
    static void waitForPage(web::WebView& view) {
        RunLoop::main().runUntilIdle();
        RunLoop::main().runUntil([&] { return !view.isLoading(); }, 10);
        RunLoop::main().runUntilIdle();
    }
};

TEST_F(WebScreenTest, OnlyHttpAndHttpsOpenInside) {
    struct Case {
        const char* url;
        bool internal;
    };
    for (const Case& c : std::vector<Case>{{"http://a.test/", true},
                                           {"https://a.test/", true},
                                           {"HTTPS://a.test/", false},
                                           {"mailto:a@b.c", false},
                                           {"tel:123", false},
                                           {"ftp://a.test/f", false},
                                           {"file:///tmp/x", false}}) {
        EXPECT_EQ(WebViewController::canOpenInternal(URL::fromString(c.url)), c.internal) << c.url;
    }
    EXPECT_FALSE(WebViewController::canOpenInternal(std::nullopt));
}

TEST_F(WebScreenTest, UnopenableExternalLinkShowsInvalidURL) {
    EXPECT_FALSE(WebViewController::openExternalURL(URL::fromString("tel:123")));
    auto alert = ui::AlertCenter::shared().topAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Invalid URL");
    EXPECT_EQ(alert->message(), "Unable to open the selected link");

    ui::Application::shared().registerURLHandler("tel", [](const std::string&) { return true; });
    EXPECT_TRUE(WebViewController::openExternalURL(URL::fromString("tel:123")));
}

TEST_F(WebScreenTest, NetworkCounterNeverGoesBelowZero) {
    auto& application = ui::Application::shared();
    for (int delta : {1, 1, -1, -1, -1}) {
        NetworkActivity::update(delta);
    }
    EXPECT_EQ(NetworkActivity::count(), 0);
    EXPECT_FALSE(application.isNetworkActivityIndicatorVisible());
    UpdateNetworkActivity(1);
    EXPECT_EQ(NetworkActivity::count(), 0) << "moved to a later turn of the main loop";
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(NetworkActivity::count(), 1);
    EXPECT_TRUE(application.isNetworkActivityIndicatorVisible());
}

TEST_F(WebScreenTest, SavesAndRestoresItsAddressWhileOnline) {
    auto screen = std::make_shared<WebViewController>();
    const auto state = foundation::Value::dictionary(
        {{"class", "WebViewController"}, {"history", "http://a.test/x"}});
    EXPECT_TRUE(screen->restoreState(state));
    EXPECT_EQ(screen->saveState(), state);
    EXPECT_FALSE(screen->restoreState(foundation::Value::dictionary({{"history", 5}})));
    EXPECT_FALSE(screen->restoreState(foundation::Value("not a dictionary")));

    net::Reachability::setSimulatedNetworkFlags(0);
    EXPECT_FALSE(IsNetworkReachable());
    EXPECT_FALSE(std::make_shared<WebViewController>()->restoreState(state));
}

TEST_F(WebScreenTest, PageLinksToOtherSchemesGoToThePlatformAndOfflineShowsTheOfflinePage) {
    testing_support::LocalServer server;
    server.server().Get("/page", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("<title>Links</title><a id='call' href='tel:123'>call</a>",
                             "text/html");
    });
    server.start();
    ui::Application::shared().registerURLHandler("tel", [](const std::string&) { return true; });
    auto screen = std::make_shared<WebViewController>();
    auto navigation = ui::NavigationController::withRootViewController(screen);
    navigation->view();
    screen->view();
    screen->loadURL(*URL::fromString(server.url("/page")));
    waitForPage(*screen->webView());
    EXPECT_EQ(screen->title(), "Links");
    EXPECT_EQ(NetworkActivity::count(), 0);
    EXPECT_FALSE(screen->backButton()->isEnabled());

    screen->webView()->tapElement("call");
    waitForPage(*screen->webView());
    EXPECT_EQ(ui::Application::shared().openedURLs(), std::vector<std::string>{"tel:123"});
    EXPECT_EQ(screen->webView()->title(), "Links");

    net::Reachability::setSimulatedNetworkFlags(0);
    screen->refreshRequest();
    waitForPage(*screen->webView());
    EXPECT_EQ(screen->webView()->title(), "No connection");
    EXPECT_FALSE(screen->webView()->scalesPageToFit());
}

TEST_F(WebScreenTest, APageShowsItsBoxAndHeadingAndABlankPageNothing) {
    testing_support::LocalServer server;
    server.server().Get("/box", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(
            "<title>Box</title><body style='margin:0'>"
            "<div style='width:120px;height:60px;background-color:#ff0000'></div>"
            "<h1 style='margin:10px 0'>Welcome</h1></body>",
            "text/html");
    });
    server.server().Get("/blank", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("<title>Blank</title><body><script>var a;</script></body>",
                             "text/html");
    });
    server.start();
    // The screen on `path` in a window: its picture and where the web view is.
    auto render = [&](const std::string& path) {
        auto screen = std::make_shared<WebViewController>();
        auto window = ui::Window::make();
        window->setRootViewController(ui::NavigationController::withRootViewController(screen));
        window->makeKeyAndVisible();
        RunLoop::main().runUntilIdle();
        screen->loadURL(*URL::fromString(server.url(path)));
        waitForPage(*screen->webView());
        auto view = screen->webView();
        auto image = ui::ScreenRenderer::render(*window);
        return std::make_pair(image ? image->bitmap() : nullptr,
                              view->convertRectToView(view->bounds(), nullptr));
    };
    using graphics::Rect;
    using graphics::Rgba8;

    auto [bitmap, frame] = render("/box");
    ASSERT_TRUE(bitmap);
    ASSERT_GT(frame.size.height, 100);
    const int x = static_cast<int>(frame.minX());
    const int y = static_cast<int>(frame.minY());
    EXPECT_EQ(bitmap->pixel(x + 60, y + 30), (Rgba8{255, 0, 0, 255}));
    const auto page = bitmap->pixel(x + 200, y + 30);
    EXPECT_NE(page, (Rgba8{255, 0, 0, 255}));
    // The heading sits under the box, from the left edge.
    auto heading =
        inkIn(*bitmap, Rect(frame.minX(), frame.minY() + 61, frame.size.width, 80), page, 24);
    EXPECT_GT(heading.count, 200);
    EXPECT_LT(heading.bounds.minX(), frame.minX() + 8);
    EXPECT_GT(heading.bounds.minY(), frame.minY() + 60 + 10);

    auto [blank, blankFrame] = render("/blank");
    ASSERT_TRUE(blank);
    const Rect top(blankFrame.minX(), blankFrame.minY(), blankFrame.size.width, 200);
    const auto paper = blank->pixel(static_cast<int>(top.midX()), static_cast<int>(top.midY()));
    EXPECT_EQ(inkIn(*blank, top, paper).count, 0);
}

}  // namespace
