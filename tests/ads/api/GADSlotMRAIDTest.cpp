#include <gtest/gtest.h>

#include "ads/api/GADAd.h"
#include "ads/api/GADAdType.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADApplication.h"
#include "ads/webview/GADAdURLStash.h"
#include "ads/webview/GADMRAIDInterceptor.h"
#include "ads/webview/GADSDKCoreController.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Window.h"
#include "tests/ads/api/FakeSDKCoreController.h"
#include "tests/support/LocalServer.h"
#include "tests/support/MRAIDScripts.h"

using foundation::RunLoop;
using testing_support::MRAIDScripts;

namespace {

class GADSlotMRAIDTest : public testing::Test {
  protected:
    void SetUp() override {
        GADApplication::sharedApplication().reset();
        GADSDKCoreController::setSharedInstance(controller);
        MRAIDScripts::serve(server);
        server.serve("/ad", 200, "<html><body>first</body></html>");
        server.start();
        // Some ad page is stashed, so the counter alone decides.
        GADAdURLStash::add(foundation::URL::fromString("http://stashed.test/"), stashed);
        window->makeKeyAndVisible();
        window->addSubview(slot->webView());
        slot->setAdType(GADAdType::bannerAdTypeForSize(kGADAdSizeBanner), false);
    }
    void TearDown() override { RunLoop::main().runUntilIdle(); }

    // The slot goes from asking for an ad URL to rendering an ad.
    void startRendering(const std::shared_ptr<GADSlot>& target) {
        target->setState(GADSlotStateRequestingAdURL);
        target->loadAd(std::make_shared<GADAd>(), std::nullopt);
        target->willStartAdRendering();
    }
    // Renders an MRAID page from the loopback server in the slot's web view.
    void renderMRAIDAd() {
        startRendering(slot);
        slot->webView()->loadHTMLString(
            "<html><head><script src=\"mraid.js\"></script></head><body>ad</body></html>",
            foundation::URL::fromString(server.url("/creative")));
        RunLoop::main().runUntilIdle();
        ASSERT_TRUE(RunLoop::main().runUntil(
            [&] { return slot->state() == GADSlotStateReady && !slot->webView()->isLoading(); },
            10));
        RunLoop::main().runUntilIdle();
    }
    std::string page(const std::string& script) {
        return slot->webView()->stringByEvaluatingJavaScriptFromString(script);
    }

    testing_support::LocalServer server;
    std::shared_ptr<FakeSDKCoreController> controller = std::make_shared<FakeSDKCoreController>();
    std::shared_ptr<GADWebView> stashed = std::make_shared<GADWebView>(graphics::Rect{});
    ui::Window::Ptr window = ui::Window::make();
    std::shared_ptr<GADSlot> slot = GADSlot::make(graphics::Rect{0, 100, 320, 50});
};

TEST_F(GADSlotMRAIDTest, SlotsCountOnceWhileTheyExpectAnAd) {
    using Steps = std::vector<std::int64_t>;
    struct Case {
        const char* rule;
        Steps steps;
        bool expecting;
    };
    const std::vector<Case> cases = {
        {"requesting", {2}, true},
        {"rendering", {2, 3, 4, 5}, true},
        {"ready", {2, 3, 4, 5, 6}, false},
        {"a refresh from ready", {2, 6, 2}, true},
        {"a refresh that ends", {2, 6, 2, 3, 4, 5, 6}, false},
        {"failed", {2, 7}, false},
        {"the page could not be loaded", {2, 1}, false},
        {"cancelled midway", {2, 3, 4, 0}, false},
        {"invalidated midway", {2, 4, 8}, false},
        {"failed, then asked again", {2, 7, 2}, true},
    };
    for (const auto& c : cases) {
        auto other = GADSlot::make();
        for (std::int64_t state : c.steps) {
            other->setState(state);
        }
        EXPECT_EQ(GADMRAIDInterceptor::canInitWithRequestIsEnabled(), c.expecting) << c.rule;
        other.reset();
        EXPECT_FALSE(GADMRAIDInterceptor::canInitWithRequestIsEnabled()) << c.rule << " gone";
    }
    // Two slots: one refreshing twice does not turn interception off for the
    // other while it requests.
    auto first = GADSlot::make();
    auto second = GADSlot::make();
    first->setState(GADSlotStateRequestingAdURL);
    first->setState(GADSlotStateReady);
    second->setState(GADSlotStateRequestingAdURL);
    for (int refresh = 0; refresh < 2; ++refresh) {
        first->setState(GADSlotStateRequestingAdURL);
        first->setState(GADSlotStateReady);
    }
    EXPECT_TRUE(GADMRAIDInterceptor::canInitWithRequestIsEnabled());
    second->cancelPendingActions();
    EXPECT_FALSE(GADMRAIDInterceptor::canInitWithRequestIsEnabled());
}

TEST_F(GADSlotMRAIDTest, AnMRAIDPageLoadsItsScriptAndHearsTheComponent) {
    ui::Application::shared().registerURLHandler("tel", [](const std::string&) { return true; });
    renderMRAIDAd();
    ASSERT_TRUE(slot->ad());
    EXPECT_TRUE(slot->isMRAIDEnabled());
    EXPECT_TRUE(slot->isListeningToDeviceOrientationChangeEvent());
    EXPECT_EQ(page("mraid.getPlacementType() + ' ' + mraid.getState()"), "inline default");
    EXPECT_EQ(page("['sms', 'tel', 'calendar', 'storePicture', 'inlineVideo']"
                   ".map((f) => mraid.supports(f)).join()"),
              "false,true,false,true,true");
    EXPECT_EQ(page("JSON.stringify(mraid.getScreenSize())"), "{\"width\":320,\"height\":568}");

    slot->notifyMRAIDCreativeWithVisibility(true);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(page("String(mraid.isViewable())"), "true");

    // A rotation that moves the creative reaches the page once.
    page(
        "window.sizes = 0; mraid.addEventListener('sizeChange', () => sizes++);"
        "window.screens = []; const previous = VIRA_ReceiveMessage;"
        "VIRA_ReceiveMessage = (n, i) => { if (n === 'onScreenInfoChanged') screens.push(n);"
        " previous(n, i); };");
    ui::Application::shared().setStatusBarOrientation(ui::InterfaceOrientation::landscapeLeft);
    slot->webView()->setFrame(graphics::Rect{124, 100, 320, 50});
    ui::Device::currentDevice().setOrientation(ui::DeviceOrientation::landscapeLeft);
    ui::Device::currentDevice().setOrientation(ui::DeviceOrientation::landscapeRight);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(page("screens.length"), "1");
    EXPECT_EQ(page("JSON.stringify(mraid.getScreenSize())"), "{\"width\":568,\"height\":320}");

    // A new request unloads the MRAID ad.
    slot->resetRequestState();
    EXPECT_FALSE(slot->isListeningToDeviceOrientationChangeEvent());
}

TEST_F(GADSlotMRAIDTest, OnlyMRAIDAdsHearVisibilityAndScreenChanges) {
    slot->webView()->loadHTMLString(
        "<script>window.heard = []; window.VIRA_ReceiveMessage = (n) => heard.push(n);</script>",
        foundation::URL::fromString(server.url("/plain")));
    RunLoop::main().runUntilIdle();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !slot->webView()->isLoading(); }, 10));
    slot->notifyMRAIDCreativeWithVisibility(true);
    slot->notifyOrientationToMRAIDCreative();
    slot->notifyDeviceFeatures();
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(page("heard.join()"), "onDeviceFeaturesReceived");
}

TEST_F(GADSlotMRAIDTest, RotationsPostOnlyWhenTheCreativeMoves) {
    int posts = 0;
    auto token = foundation::NotificationCenter::defaultCenter().addObserver(
        kGADSlotCreativeOrientationChangedNotification, slot.get(), nullptr,
        [&](const foundation::Notification&) { ++posts; });
    slot->beginListeningToDeviceOrientationChangeEvent();
    slot->beginListeningToDeviceOrientationChangeEvent();
    EXPECT_EQ(posts, 1);  // the first frame seen
    EXPECT_EQ(slot->creativeViewBounds(), (graphics::Rect{0, 100, 320, 50}));
    ui::Device::currentDevice().setOrientation(ui::DeviceOrientation::portraitUpsideDown);
    EXPECT_EQ(posts, 1);
    slot->webView()->setFrame(graphics::Rect{0, 0, 320, 50});
    ui::Device::currentDevice().setOrientation(ui::DeviceOrientation::landscapeLeft);
    EXPECT_EQ(posts, 2);
    slot->endListeningToDeviceOrientationChangeEvent();
    slot->webView()->setFrame(graphics::Rect{10, 0, 320, 50});
    ui::Device::currentDevice().setOrientation(ui::DeviceOrientation::portrait);
    EXPECT_EQ(posts, 2);
    EXPECT_FALSE(ui::Device::currentDevice().isGeneratingDeviceOrientationNotifications());
    foundation::NotificationCenter::defaultCenter().removeObserver(token);
}

}  // namespace
