// A banner loaded as the detail screen loads it, through our SDK-core page
// and the ad server on loopback.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ads/api/GADBannerView.h"
#include "ads/api/GADBannerViewDelegate.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Outline.h"
#include "platform/ui/TouchSimulator.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include "tests/ads/api/BannerOwner.h"
#include "tests/support/AdServer.h"

using foundation::RunLoop;
using testing_support::AdServer;

namespace {

class GADBannerEndToEndTest : public testing::Test {
  protected:
    void SetUp() override {
        server.useAsSDKCoreServer();
        // The scanner screen makes the banner; the detail screen shows it in
        // its header and asks it for an ad.
        banner = GADBannerView::makeWithFrame(graphics::Rect(0, 60, 320, 50));
        banner->setAdUnitID(std::string("barcodes-scanner-banner"));
        banner->setRootViewController(root);
        banner->setDelegate(owner);
        window->setRootViewController(root);
        window->makeKeyAndVisible();
        root->view()->addSubview(banner);
    }
    void TearDown() override {
        banner->removeFromSuperview();
        RunLoop::main().runUntilIdle();
    }

    bool settled(const std::function<bool()>& condition) {
        const bool met = RunLoop::main().runUntil(condition, 20);
        RunLoop::main().runUntilIdle();
        return met;
    }

    foundation::ManualClock clock;
    AdServer server;
    std::shared_ptr<BannerOwner> owner = std::make_shared<BannerOwner>();
    std::shared_ptr<ui::ViewController> root = std::make_shared<ui::ViewController>();
    ui::Window::Ptr window = ui::Window::make();
    std::shared_ptr<GADBannerView> banner;
};

TEST_F(GADBannerEndToEndTest, TheBannerShowsTheAdServersHTMLAdPingsItOnceAndRefreshes) {
    AdServer::Response ad = server.ad(AdServer::AdKind::html, "Scan more codes");
    ad.headers["X-Vira-Refresh-Rate"] = "30";
    server.setAdResponse(ad);
    banner->loadRequest(GADRequest::request());
    ASSERT_TRUE(settled([&] { return owner->received > 0 || !owner->failures.empty(); }));
    EXPECT_EQ(owner->received, 1);
    EXPECT_TRUE(owner->failures.empty());

    // The page built the ad request on the ad server for the banner's unit.
    const auto requests = server.requestsTo(AdServer::kAdPath);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].parameters.at("slotname"), "barcodes-scanner-banner");
    EXPECT_EQ(banner->slot()->state(), GADSlotStateReady);
    EXPECT_EQ(ui::Outline::describeView(*banner->slot()->webView()),
              "Ad \"Scan more codes\" " + server.url(AdServer::kAdPath) + "?" +
                  requests[0].target.substr(requests[0].target.find('?') + 1) + "\n");

    ASSERT_TRUE(server.waitForRequests(AdServer::kImpressionPath));
    RunLoop::main().runUntil([] { return false; }, 0.3);
    EXPECT_EQ(server.requestsTo(AdServer::kImpressionPath).size(), 1u);

    // The ad's refresh rate brings the next ad on the manual clock.
    clock.advance(29);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(server.requestsTo(AdServer::kAdPath).size(), 1u);
    clock.advance(1);
    ASSERT_TRUE(settled([&] { return owner->received > 1; }));
    EXPECT_EQ(owner->received, 2);
    EXPECT_EQ(server.requestsTo(AdServer::kAdPath).size(), 2u);
    EXPECT_EQ(server.requestsTo(AdServer::kPagePath).size(), 1u);
}

TEST_F(GADBannerEndToEndTest, AMissingAdAndASlowOneEachFailOnce) {
    AdServer::Response missing;
    missing.status = 404;
    server.setAdResponse(missing);
    banner->loadRequest(GADRequest::request());
    ASSERT_TRUE(settled([&] { return !owner->failures.empty(); }));
    clock.advance(GADSlot::kRequestTimeout * 2);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(owner->failures.size(), 1u);
    EXPECT_EQ(owner->received, 0);

    AdServer::Response slow = server.ad(AdServer::AdKind::html);
    slow.held = true;
    server.setAdResponse(slow);
    banner->loadRequest(GADRequest::request());
    ASSERT_TRUE(server.waitForRequests(AdServer::kAdPath, 2));
    clock.advance(GADSlot::kRequestTimeout - 1);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(owner->failures.size(), 1u);
    clock.advance(1);
    ASSERT_TRUE(settled([&] { return owner->failures.size() > 1; }));
    EXPECT_EQ(owner->failures.back(), kGADErrorTimeout);
    // The answer that comes at last reaches no one.
    server.release();
    clock.advance(GADSlot::kRequestTimeout);
    RunLoop::main().runUntil([] { return false; }, 0.3);
    EXPECT_EQ(owner->failures.size(), 2u);
    EXPECT_EQ(owner->received, 0);
}

TEST_F(GADBannerEndToEndTest, AFingerOnTheAdsLinkOpensTheLandingPageAndPingsTheClick) {
    server.setAdResponse(server.ad(AdServer::AdKind::html, "Scan more codes"));
    banner->loadRequest(GADRequest::request());
    ASSERT_TRUE(settled([&] { return owner->received > 0 || !owner->failures.empty(); }));
    ASSERT_EQ(owner->received, 1);
    clock.advance(1);
    // The centre of the link the ad page lays out in normal flow.
    const auto& page = banner->slot()->webView()->webView();
    const std::string centre = page->stringByEvaluatingJavaScriptFromString(
        "var r = document.getElementById('ad').getBoundingClientRect();"
        "(r.left + r.width / 2) + ' ' + (r.top + r.height / 2)");
    graphics::Point point;
    ASSERT_EQ(std::sscanf(centre.c_str(), "%lf %lf", &point.x, &point.y), 2) << centre;
    const std::size_t opened = ui::Application::shared().openedURLs().size();
    ui::TouchSimulator::tap(window, page->convertPointToView(point, nullptr));
    ASSERT_TRUE(server.waitForRequests(AdServer::kClickPath));
    RunLoop::main().runUntilIdle();
    ASSERT_EQ(ui::Application::shared().openedURLs().size(), opened + 1);
    EXPECT_EQ(ui::Application::shared().openedURLs().back(), server.url("/landing"));
}

}  // namespace
