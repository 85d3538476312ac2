// An interstitial through our SDK-core page and the ad server on loopback,
// shown over the application's controller in a window and closed by a
// finger on its close button or by its page's "close" message.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ads/api/GADInterstitial.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/presentation/GADWebAppViewController.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/TouchSimulator.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include "tests/ads/api/RecordingInterstitialDelegate.h"
#include "tests/support/AdServer.h"
#include "tests/support/WindowFixture.h"

using foundation::RunLoop;
using testing_support::AdServer;

namespace {

using Log = std::vector<std::string>;

// The ad server on loopback, the application's controller shown in a
// window, and the delegate of the interstitials loaded over them.
struct Stage {
    Stage() {
        server.useAsSDKCoreServer();
        testing_support::showInKeyWindow(window, root);
    }
    // An interstitial that asked the server for an ad, once it has heard back.
    std::shared_ptr<GADInterstitial> loadInterstitial() {
        auto interstitial = GADInterstitial::make();
        interstitial->setAdUnitID(std::string("barcodes-interstitial"));
        interstitial->setDelegate(owner);
        interstitial->loadRequest(GADRequest::request());
        RunLoop::main().runUntil([&] { return !owner->log.empty(); }, 30);
        RunLoop::main().runUntilIdle();
        return interstitial;
    }

    AdServer server;
    std::shared_ptr<ui::ViewController> root = std::make_shared<ui::ViewController>();
    ui::Window::Ptr window = ui::Window::make();
    std::shared_ptr<RecordingInterstitialDelegate> owner =
        std::make_shared<RecordingInterstitialDelegate>();
};

enum class Closing { tapOnCloseButton, closeMessage };

class GADInterstitialEndToEnd : public testing::TestWithParam<Closing> {};

TEST_P(GADInterstitialEndToEnd, ShowsTheAdServersAdUntilItIsClosed) {
    Stage stage;
    AdServer& server = stage.server;
    AdServer::Response ad = server.ad(AdServer::AdKind::html, "Full screen");
    // The page keeps the names of the events the component sends it.
    ad.body =
        "<!DOCTYPE html><html><head><title>Full screen</title></head><body>Full screen"
        "<script>var got = []; function VIRA_ReceiveMessage(name) { got.push(name); }"
        "</script></body></html>";
    server.setAdResponse(ad);
    const auto& root = stage.root;
    const auto& window = stage.window;
    const auto& owner = stage.owner;
    auto interstitial = stage.loadInterstitial();
    ASSERT_EQ(owner->log, Log{"received"});
    ASSERT_TRUE(interstitial->isReady());
    EXPECT_EQ(server.requestsTo(AdServer::kAdPath).size(), 1u);

    std::weak_ptr<GADWebAppViewController> screen = interstitial->viewController();
    interstitial->presentFromRootViewController(root);
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] {
            auto shown = screen.lock();
            return shown && shown->viewDidAppear() && window->topViewController() == shown;
        },
        5));
    ASSERT_TRUE(server.waitForRequests(AdServer::kImpressionPath));
    // The close button lies over the page in its top-left corner.
    const ui::Button::Ptr button = screen.lock()->closeButton();
    EXPECT_EQ(button->superview(), screen.lock()->view());
    EXPECT_EQ(screen.lock()->view()->subviews().back(), button);
    EXPECT_NE(button->currentImage(), nullptr);
    EXPECT_EQ(button->frame(), (graphics::Rect{0, 0, 32, 32}));
    std::shared_ptr<GADWebView> webView = interstitial->slot()->webView();
    EXPECT_EQ(webView->superview(), screen.lock()->view());

    if (GetParam() == Closing::tapOnCloseButton) {
        const graphics::Rect frame = button->convertRectToView(button->bounds(), nullptr);
        ui::TouchSimulator::tap(window, {frame.midX(), frame.midY()});
    } else {
        webView->stringByEvaluatingJavaScriptFromString(
            "location.href = 'gmsg://mobileads.dezuvo.com/close'");
    }
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] { return screen.expired() && window->topViewController() == root; }, 5));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(owner->log, (Log{"received", "will present", "will dismiss", "did dismiss"}));
    EXPECT_EQ(webView->stringByEvaluatingJavaScriptFromString("got.join('|')"),
              "expanding|onshow|onhide|collapsed");

    // Used: a second load is refused and asks the server for nothing.
    interstitial->loadRequest(GADRequest::request());
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(owner->log.back(), "failed 6");
    EXPECT_EQ(server.requestsTo(AdServer::kAdPath).size(), 1u);
}

TEST(GADInterstitialEndToEndFrames, AReadyAdWhosePageLoadsAFrameStaysPresentable) {
    Stage stage;
    stage.server.setAdResponse(stage.server.ad(AdServer::AdKind::html, "Full screen"));
    auto interstitial = stage.loadInterstitial();
    ASSERT_TRUE(interstitial->isReady());

    // After its load the page adds a tracker in a frame of its own.
    std::shared_ptr<GADWebView> webView = interstitial->slot()->webView();
    webView->stringByEvaluatingJavaScriptFromString(
        "var f = document.createElement('iframe'); f.src = '" +
        stage.server.url("/pagead/tracker") + "'; document.body.appendChild(f);");
    ASSERT_TRUE(stage.server.waitForRequests("/pagead/tracker"));
    RunLoop::main().runUntil([&] { return webView->webView()->activeLoadCount() == 0; }, 10);
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(interstitial->isReady());

    interstitial->presentFromRootViewController(stage.root);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(stage.owner->log, (Log{"received", "will present"}));
}

INSTANTIATE_TEST_SUITE_P(Closings, GADInterstitialEndToEnd,
                         testing::Values(Closing::tapOnCloseButton, Closing::closeMessage));

}  // namespace
