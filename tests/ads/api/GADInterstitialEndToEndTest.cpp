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

enum class Closing { tapOnCloseButton, closeMessage };

class GADInterstitialEndToEnd : public testing::TestWithParam<Closing> {};

TEST_P(GADInterstitialEndToEnd, ShowsTheAdServersAdUntilItIsClosed) {
    AdServer server;
    server.useAsSDKCoreServer();
    AdServer::Response ad = server.ad(AdServer::AdKind::html, "Full screen");
    // The page keeps the names of the events the component sends it.
    ad.body =
        "<!DOCTYPE html><html><head><title>Full screen</title></head><body>Full screen"
        "<script>var got = []; function VIRA_ReceiveMessage(name) { got.push(name); }"
        "</script></body></html>";
    server.setAdResponse(ad);
    auto root = std::make_shared<ui::ViewController>();
    auto window = ui::Window::make();
    testing_support::showInKeyWindow(window, root);

    auto owner = std::make_shared<RecordingInterstitialDelegate>();
    auto interstitial = GADInterstitial::make();
    interstitial->setAdUnitID(std::string("barcodes-interstitial"));
    interstitial->setDelegate(owner);
    interstitial->loadRequest(GADRequest::request());
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !owner->log.empty(); }, 30));
    RunLoop::main().runUntilIdle();
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

INSTANTIATE_TEST_SUITE_P(Closings, GADInterstitialEndToEnd,
                         testing::Values(Closing::tapOnCloseButton, Closing::closeMessage));

}  // namespace
