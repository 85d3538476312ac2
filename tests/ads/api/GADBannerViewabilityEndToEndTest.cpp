#include <gtest/gtest.h>

#include "ads/api/GADBannerView.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADSlot.h"
#include "ads/webview/GADActiveViewSDKCoreWebView.h"
#include "ads/webview/GADSDKCoreController.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include "tests/support/AdServer.h"

using foundation::RunLoop;
using testing_support::AdServer;

namespace {

// A banner of the application with an MRAID ad from the ad server, whose
// SDK-core page gives a sampling schedule: the ad hears the page's verdict
// on its visibility as it scrolls off screen and back, and its unit ends
// with the banner.
TEST(GADBannerViewabilityEndToEnd, AnMRAIDBannerHearsItsViewabilityFromTheSDKCorePage) {
    AdServer server;
    server.useAsSDKCoreServer();
    server.setPageConfig("{constants: {active_view_sampling_intervals: '[0.1]'}}");
    server.setAdResponse(server.ad(AdServer::AdKind::mraid));
    ui::Application::shared().becomeActive();
    auto window = ui::Window::make();
    auto root = std::make_shared<ui::ViewController>();
    window->setRootViewController(root);
    window->makeKeyAndVisible();
    auto scroller = std::make_shared<ui::ScrollView>(graphics::Rect{0, 100, 320, 200});
    scroller->setClipsToBounds(true);
    window->addSubview(scroller);
    auto banner = GADBannerView::makeWithAdSize(kGADAdSizeBanner);
    banner->setAdUnitID(std::string("unit-1"));
    banner->setRootViewController(root);
    scroller->addSubview(banner);

    // The first request brings the page and its constants; the ad after it
    // is measured.
    banner->loadRequest(GADRequest::request());
    ASSERT_TRUE(RunLoop::main().runUntil(
        [] {
            return GADSDKCoreController::sharedInstance()->activeViewMonitorRefreshIntervals() !=
                   std::nullopt;
        },
        20));
    ASSERT_TRUE(
        RunLoop::main().runUntil([&] { return banner->slot()->state() == GADSlotStateReady; }, 20));
    banner->loadRequest(GADRequest::request());
    const auto viewable = [&] {
        return banner->slot()->isMRAIDEnabled() && banner->slot()->SDKCoreWebView() &&
               banner->webView()->stringByEvaluatingJavaScriptFromString(
                   "String(window.mraid && mraid.isViewable())") == "true";
    };
    ASSERT_TRUE(RunLoop::main().runUntil(viewable, 20));
    const auto page = banner->slot()->SDKCoreWebView()->activeViewWebView();
    ASSERT_TRUE(page);

    scroller->setContentOffset({0, 60});
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return !viewable(); }, 10));
    scroller->setContentOffset({0, 0});
    EXPECT_TRUE(RunLoop::main().runUntil(viewable, 10));

    banner->removeFromSuperview();
    banner.reset();
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return page->activeViewUnloadPingReceived(); }, 10));
}

}  // namespace
