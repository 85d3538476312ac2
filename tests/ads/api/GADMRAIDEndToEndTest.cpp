// MRAID creatives as ad servers serve them, through our SDK-core page, the
// slot and the script interception on loopback: a creative that checks the
// MRAID 3.0 container as a banner and as an interstitial, the second page of
// a two-part expansion, and the exposure of a banner scrolled off screen.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ads/api/GADAdSize.h"
#include "ads/api/GADBannerView.h"
#include "ads/api/GADInterstitial.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADSlot.h"
#include "ads/presentation/GADWebAppViewController.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"
#include "tests/ads/api/MRAIDCheckingCreative.h"
#include "tests/ads/api/RecordingInterstitialDelegate.h"
#include "tests/support/AdServer.h"
#include "tests/support/MRAIDScripts.h"
#include "tests/support/WindowFixture.h"

using foundation::RunLoop;
using testing_support::AdServer;

namespace {

constexpr const char* kConsole = "[web] console.log: ";

class GADMRAIDEndToEnd : public testing::Test {
  protected:
    void SetUp() override {
        server.useAsSDKCoreServer();
        ui::Application::shared().becomeActive();
        testing_support::showInKeyWindow(window, root);
    }
    void TearDown() override { RunLoop::main().runUntilIdle(); }

    // The creative's console lines, in order.
    std::vector<std::string> console() const {
        std::vector<std::string> lines;
        std::istringstream text(log.text());
        for (std::string line; std::getline(text, line);) {
            if (line.rfind(kConsole, 0) == 0) {
                lines.push_back(line.substr(std::string(kConsole).size()));
            }
        }
        return lines;
    }
    bool printed(const std::string& line, double seconds = 30) {
        return RunLoop::main().runUntil(
            [&] {
                for (const auto& printed : console()) {
                    if (printed == line) {
                        return true;
                    }
                }
                return false;
            },
            seconds);
    }
    // Every expected check passed and none failed.
    void expectChecks(const std::vector<std::string>& expected) {
        std::vector<std::string> checks;
        for (const auto& line : console()) {
            EXPECT_NE(line.rfind("FAIL", 0), 0u) << line;
            if (line.rfind("CHECK ", 0) == 0) {
                checks.push_back(line.substr(6));
            }
        }
        for (const auto& check : expected) {
            EXPECT_NE(std::find(checks.begin(), checks.end(), check), checks.end()) << check;
        }
    }
    std::shared_ptr<GADBannerView> showBanner(GADAdSize size, const ui::View::Ptr& parent) {
        // Below the status bar, whole on screen.
        auto banner = GADBannerView::makeWithAdSize(size, {0, 100});
        banner->setAdUnitID(std::string("unit-1"));
        banner->setRootViewController(root);
        parent->addSubview(banner);
        banner->loadRequest(GADRequest::request());
        return banner;
    }
    // The full-screen ad shown over the application, if any.
    std::shared_ptr<GADWebAppViewController> fullScreenAd() const {
        return std::dynamic_pointer_cast<GADWebAppViewController>(window->topViewController());
    }

    foundation::LogCapture log;
    AdServer server;
    ui::ViewController::Ptr root = std::make_shared<ui::ViewController>();
    ui::Window::Ptr window = ui::Window::make();
};

TEST_F(GADMRAIDEndToEnd, TheCheckingCreativePassesAsABanner) {
    AdServer::Response ad = server.ad(AdServer::AdKind::html);
    ad.body = testing_support::kMRAIDCheckingCreative;
    server.setAdResponse(ad);
    server.setPageConfig("{autoClickProtection: true}");
    auto banner = showBanner(kGADAdSizeBanner, root->view());

    ASSERT_TRUE(printed("ROTATE")) << log.text();
    ui::Application::shared().setStatusBarOrientation(ui::InterfaceOrientation::landscapeRight);
    ui::Device::currentDevice().setOrientation(ui::DeviceOrientation::landscapeLeft);
    ASSERT_TRUE(printed("CHECK window.orientation follows the screen", 15)) << log.text();
    ui::Application::shared().setStatusBarOrientation(ui::InterfaceOrientation::portrait);
    ui::Device::currentDevice().setOrientation(ui::DeviceOrientation::portrait);

    ASSERT_TRUE(printed("TOUCH")) << log.text();
    banner->slot()->webView()->setTouched(true);
    ASSERT_TRUE(printed("DONE", 60)) << log.text();
    expectChecks({"mraid before the creative", "version 3.0", "MRAID_ENV",
                  "default expand size is the screen", "events come after the call",
                  "a listener added after the call hears it",
                  "resize properties beyond the maximum are refused",
                  "resize properties with the close area off screen are refused",
                  "a resize the container cannot carry out is refused", "viewable by default",
                  "exposure while shown", "window.orientation at load",
                  "window.orientation follows the screen", "a refused expansion keeps the state",
                  "an expansion was refused first",
                  "the new size is set before stateChange on expand",
                  "the new size is set before stateChange on collapse", "unload hides the ad"});
    EXPECT_TRUE(banner->slot()->isMRAIDEnabled());
    // The ad server's markup went out as it came; the script came through
    // the interception.
    EXPECT_EQ(server.requestsTo("/mraid.js").size(), 0u);
    EXPECT_EQ(server.requestsTo(testing_support::MRAIDScripts::kBanner).size(), 1u);
    banner->removeFromSuperview();
}

TEST_F(GADMRAIDEndToEnd, TheCheckingCreativePassesAsAnInterstitial) {
    AdServer::Response ad = server.ad(AdServer::AdKind::html);
    ad.body = testing_support::kMRAIDCheckingCreative;
    server.setAdResponse(ad);
    auto owner = std::make_shared<RecordingInterstitialDelegate>();
    auto interstitial = GADInterstitial::make();
    interstitial->setAdUnitID(std::string("unit-2"));
    interstitial->setDelegate(owner);
    interstitial->loadRequest(GADRequest::request());
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return interstitial->isReady(); }, 30));
    interstitial->presentFromRootViewController(root);

    ASSERT_TRUE(printed("DONE", 60)) << log.text();
    expectChecks({"mraid before the creative", "version 3.0", "MRAID_ENV",
                  "an interstitial is viewable once shown",
                  "an interstitial is shown in the default state",
                  "an interstitial fills the screen", "a closed interstitial is hidden"});
    // Its close() gave the screen back.
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return window->topViewController() == root; }, 5));
}

TEST_F(GADMRAIDEndToEnd, TheSecondPageOfATwoPartExpansionHasMRAID) {
    server.servePage("/expanded",
                     "<!DOCTYPE html><html><head><script src=\"mraid.js\"></script></head>"
                     "<body>Expanded<script>"
                     "window.found = typeof mraid + ' ' + (window.mraid ? mraid.getState() : '');"
                     "</script></body></html>");
    AdServer::Response ad = server.ad(AdServer::AdKind::html);
    ad.body =
        "<!DOCTYPE html><html><body>Banner<script>"
        "mraid.addEventListener('ready', function () { mraid.expand('" +
        server.url("/expanded") + "'); });</script></body></html>";
    server.setAdResponse(ad);
    auto banner = showBanner(kGADAdSizeBanner, root->view());

    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] {
            auto screen = fullScreenAd();
            return screen && screen->webView()->didReceiveLoadEvent();
        },
        30));
    const auto page = fullScreenAd()->webView();
    // The page's own script found `mraid`, which is ready once shown.
    EXPECT_EQ(page->stringByEvaluatingJavaScriptFromString("found"), "object loading");
    EXPECT_TRUE(RunLoop::main().runUntil(
        [&] {
            return page->stringByEvaluatingJavaScriptFromString("mraid.getState()") == "expanded";
        },
        5));
    const auto bannerState = [&] {
        return banner->slot()->webView()->stringByEvaluatingJavaScriptFromString(
            "mraid.getState()");
    };
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return bannerState() == "expanded"; }, 5));

    // Closing the second page brings the banner back.
    page->stringByEvaluatingJavaScriptFromString("mraid.close()");
    EXPECT_TRUE(RunLoop::main().runUntil(
        [&] { return window->topViewController() == root && bannerState() == "default"; }, 10))
        << bannerState();
    banner->removeFromSuperview();
}

TEST_F(GADMRAIDEndToEnd, ABannerThreeQuartersOffScreenIsAQuarterExposed) {
    AdServer::Response ad = server.ad(AdServer::AdKind::html);
    ad.body =
        "<!DOCTYPE html><html><body>Exposed<script>var exposures = [];"
        "mraid.addEventListener('exposureChange', function (percentage, visible) {"
        "  exposures.push(percentage + ' ' + (visible ? [visible.x, visible.y,"
        "    visible.width, visible.height].join(',') : 'none'));"
        "});</script></body></html>";
    server.setAdResponse(ad);
    auto scroller = std::make_shared<ui::ScrollView>(graphics::Rect{0, 100, 320, 400});
    scroller->setClipsToBounds(true);
    root->view()->addSubview(scroller);
    auto banner = showBanner(GADAdSizeFromCGSize({320, 250}), scroller);
    banner->setFrame({0, 0, 320, 250});
    const auto lastExposure = [&] {
        return banner->slot()->webView()->stringByEvaluatingJavaScriptFromString(
            "window.exposures ? exposures[exposures.length - 1] : ''");
    };

    ASSERT_TRUE(RunLoop::main().runUntil([&] { return lastExposure() == "100 0,0,320,250"; }, 30))
        << lastExposure();
    scroller->setContentOffset({0, 187.5});
    EXPECT_TRUE(
        RunLoop::main().runUntil([&] { return lastExposure() == "25 0,187.5,320,62.5"; }, 10))
        << lastExposure();
    scroller->setContentOffset({0, 300});
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return lastExposure() == "0 none"; }, 10))
        << lastExposure();
    banner->removeFromSuperview();
}

}  // namespace
