#include <gtest/gtest.h>

#include "ads/api/GADAd.h"
#include "ads/api/GADAdType.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADApplication.h"
#include "ads/webview/GADAdURLStash.h"
#include "ads/webview/GADMRAIDGMSGHandler.h"
#include "ads/webview/GADMRAIDInterceptor.h"
#include "ads/webview/GADSDKCoreController.h"
#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PNGCodec.h"
#include "platform/services/EventEditViewController.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/SavedPhotosAlbum.h"
#include "platform/ui/ViewController.h"
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
    void TearDown() override {
        if (messageToken) {
            foundation::NotificationCenter::defaultCenter().removeObserver(*messageToken);
        }
        RunLoop::main().runUntilIdle();
    }

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
    // Records the page's messages to the component and its MRAID errors.
    void listen() {
        messages.clear();
        messageToken = foundation::NotificationCenter::defaultCenter().addObserver(
            kGADDidReceiveWebActionNotification, slot->webView().get(), nullptr,
            [this](const foundation::Notification& note) {
                messages.push_back(note.userInfo["u"].stringValue());
            });
        page("window.errors = []; mraid.addEventListener('error', (m, a) => errors.push(a));");
    }
    // Runs the script in the page and lets the component answer.
    std::string act(const std::string& script) {
        const std::string result = page(script);
        RunLoop::main().runUntilIdle();
        return result;
    }
    std::string errors() { return page("errors.join()"); }
    std::shared_ptr<GADMRAIDGMSGHandler> MRAIDHandler() {
        for (const auto& handler : slot->webView()->delegate()->gmsgHandlers()) {
            if (auto found = std::dynamic_pointer_cast<GADMRAIDGMSGHandler>(handler)) {
                return found;
            }
        }
        return nullptr;
    }

    testing_support::LocalServer server;
    std::shared_ptr<FakeSDKCoreController> controller = std::make_shared<FakeSDKCoreController>();
    std::shared_ptr<GADWebView> stashed = std::make_shared<GADWebView>(graphics::Rect{});
    ui::Window::Ptr window = ui::Window::make();
    std::shared_ptr<GADSlot> slot = GADSlot::make(graphics::Rect{0, 100, 320, 50});
    std::vector<std::string> messages;
    std::optional<foundation::NotificationCenter::ObserverToken> messageToken;
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

TEST_F(GADSlotMRAIDTest, AnExpansionWithoutAViewControllerIsRefusedAndCloseTellsTheComponent) {
    renderMRAIDAd();
    listen();
    page("window.states = []; mraid.addEventListener('stateChange', (s) => states.push(s));");
    EXPECT_EQ(act("String(mraid.expand())"), "true");
    EXPECT_EQ(errors(), "expand");
    EXPECT_EQ(page("mraid.getState()"), "default");
    EXPECT_EQ(page("JSON.stringify(mraid.getCurrentPosition())"),
              "{\"x\":0,\"y\":0,\"width\":320,\"height\":50}");
    EXPECT_EQ(act("String(mraid.close())"), "true");
    EXPECT_EQ(page("states.join()"), "hidden");
    EXPECT_EQ(messages,
              (std::vector<std::string>{"gmsg://mobileads.dezuvo.com/open?a=expand&custom_close=0",
                                        "gmsg://mobileads.dezuvo.com/close"}));
}

TEST_F(GADSlotMRAIDTest, OrientationPropertiesFollowTheRotation) {
    renderMRAIDAd();
    listen();
    // Each expansion is refused here (no view controller), so the ad stays
    // in its default state.
    act("mraid.setOrientationProperties({allowOrientationChange: false}); mraid.expand();");
    ui::Application::shared().setStatusBarOrientation(ui::InterfaceOrientation::landscapeLeft);
    slot->webView()->setFrame(graphics::Rect{124, 100, 320, 50});
    ui::Device::currentDevice().setOrientation(ui::DeviceOrientation::landscapeLeft);
    RunLoop::main().runUntilIdle();
    act("mraid.expand();"
        "mraid.setOrientationProperties({forceOrientation: 'portrait'}); mraid.expand();");
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "gmsg://mobileads.dezuvo.com/open?a=expand&o=p&custom_close=0",
                            "gmsg://mobileads.dezuvo.com/open?a=expand&o=l&custom_close=0",
                            "gmsg://mobileads.dezuvo.com/open?a=expand&o=p&custom_close=0"}));
    // Properties out of range are refused.
    act("errors.length = 0; mraid.setOrientationProperties({forceOrientation: 'sideways'});"
        "mraid.setOrientationProperties({allowOrientationChange: 'no'});"
        "mraid.setExpandProperties({width: -1}); mraid.setExpandProperties({height: 'tall'});"
        "mraid.setExpandProperties({width: 100000});");
    EXPECT_EQ(errors(),
              "setOrientationProperties,setOrientationProperties,setExpandProperties,"
              "setExpandProperties,setExpandProperties");
}

TEST_F(GADSlotMRAIDTest, AResizeReachesTheComponentWhichRefusesItAndOneBeyondIsRefusedAtOnce) {
    renderMRAIDAd();
    listen();
    EXPECT_EQ(act("mraid.setResizeProperties({width: 300, height: 250, offsetX: 10, offsetY: 0,"
                  " customClosePosition: 'bottom-left', allowOffscreen: false});"
                  "String(mraid.resize())"),
              "true");
    EXPECT_EQ(messages,
              std::vector<std::string>{"gmsg://mobileads.dezuvo.com/mraid?a=resize&width=300&"
                                       "height=250&offsetX=10&offsetY=0&customClosePosition="
                                       "bottom-left&allowOffscreen=0"});
    // The view keeps its size, so the ad hears the refusal and stays.
    EXPECT_EQ(errors(), "resize");
    EXPECT_EQ(page("mraid.getState()"), "default");
    EXPECT_EQ(page("JSON.stringify(mraid.getCurrentPosition())"),
              "{\"x\":0,\"y\":0,\"width\":320,\"height\":50}");
    act("errors.length = 0");
    messages.clear();

    // Beyond the screen: the ad itself without leave to go off screen, or
    // its close area even with it.
    act("mraid.setResizeProperties({width: 400, height: 100, allowOffscreen: false});"
        "mraid.setResizeProperties({width: 300, height: 100, offsetX: -200,"
        " customClosePosition: 'top-left'});"
        "mraid.setResizeProperties({width: -300, height: 100});"
        "mraid.setResizeProperties({width: '300', height: 100});");
    EXPECT_EQ(errors(),
              "setResizeProperties,setResizeProperties,setResizeProperties,"
              "setResizeProperties");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(page("mraid.getState()"), "default");

    // A page that sends the message itself with values out of range hears
    // the component refuse them.
    const char* hostile[] = {"width=abc",    "width=-5",      "width=0",
                             "width=100000", "offsetY=1e999", "offsetX=12px"};
    for (const char* value : hostile) {
        std::map<std::string, std::string> parameters = {{"width", "300"},
                                                         {"height", "250"},
                                                         {"offsetX", "0"},
                                                         {"offsetY", "0"},
                                                         {"customClosePosition", "top-right"},
                                                         {"allowOffscreen", "0"}};
        const std::string text(value);
        parameters[text.substr(0, text.find('='))] = text.substr(text.find('=') + 1);
        std::string url = "gmsg://mobileads.dezuvo.com/mraid?a=resize";
        for (const auto& [key, given] : parameters) {
            url += "&" + key + "=" + given;
        }
        act("errors.length = 0; location.href = '" + url + "';");
        EXPECT_EQ(errors(), "resize") << value;
    }
}

TEST_F(GADSlotMRAIDTest, APictureIsStoredOnceTheUserSaysSo) {
    const auto png = graphics::PNGCodec::encode(*graphics::Bitmap::make(4, 3, {0, 0, 255, 255}));
    server.serve("/picture.png", 200, std::string(png->begin(), png->end()), "image/png");
    renderMRAIDAd();
    listen();
    const std::size_t alertsBefore = ui::AlertCenter::shared().history().size();
    const std::size_t stored = ui::SavedPhotosAlbum::images().size();
    const std::string store = "mraid.storePicture('" + server.url("/picture.png") + "');";
    act(store + store);
    EXPECT_EQ(ui::AlertCenter::shared().history().size(), alertsBefore + 1);
    auto alert = ui::AlertCenter::shared().topAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->title(), "Permission");
    ASSERT_EQ(MRAIDHandler()->pendingPictureDownloads().size(), 1u);
    alert->tapButtonTitled("Save");
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] { return MRAIDHandler()->pendingPictureDownloads().empty(); }, 10));
    ASSERT_EQ(ui::SavedPhotosAlbum::images().size(), stored + 1);
    EXPECT_EQ(ui::SavedPhotosAlbum::images().back()->size(), (graphics::Size{4, 3}));

    // Once stored, the same picture may be offered again; a missing one is
    // forgotten without a word to the user.
    act(store + "mraid.storePicture('" + server.url("/missing.png") + "');");
    EXPECT_EQ(ui::AlertCenter::shared().history().size(), alertsBefore + 3);
    ui::AlertCenter::shared().topAlert()->tapButtonTitled("Save");
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] { return MRAIDHandler()->pendingPictureDownloads().size() == 1; }, 10));
    EXPECT_EQ(ui::SavedPhotosAlbum::images().size(), stored + 1);
    // A message without a picture URL does nothing.
    act("location.href = 'gmsg://mobileads.dezuvo.com/mraid?a=storePicture';");
    EXPECT_EQ(ui::AlertCenter::shared().history().size(), alertsBefore + 3);
}

TEST_F(GADSlotMRAIDTest, ACalendarEventIsEditedWithAccessAndRefusedWithout) {
    auto root = std::make_shared<ui::ViewController>();
    window->setRootViewController(root);
    renderMRAIDAd();
    slot->webView()->setViewController(root);
    listen();
    const std::string create =
        "mraid.createCalendarEvent({description: 'Winter sale', summary: 'Sale',"
        " location: 'Shop', start: '2026-12-24T10:30:00+01:00', end: '2026-12-24T12:00:00+01:00'})";
    act(create);
    auto editor = std::dynamic_pointer_cast<services::EventEditViewController>(
        root->presentedViewController());
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->event().title, "Winter sale");
    EXPECT_EQ(editor->event().notes, "Sale");
    EXPECT_EQ(editor->event().location, "Shop");
    ASSERT_TRUE(editor->event().startDate && editor->event().endDate);
    EXPECT_EQ(editor->event().startDate->timeIntervalSince1970(), 1798104600.0);
    EXPECT_EQ(editor->event().endDate->timeIntervalSince1970(), 1798104600.0 + 5400);
    ASSERT_TRUE(editor->save());
    EXPECT_EQ(editor->eventStore()->savedEvents().size(), 1u);
    EXPECT_TRUE(RunLoop::main().runUntil([&] { return !root->presentedViewController(); }, 5));
    EXPECT_EQ(errors(), "");

    services::EventStore::setAccessGranted(false);
    act(create);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(errors(), "createCalendarEvent");
    services::EventStore::setAccessGranted(true);
}

}  // namespace

TEST(GADSlotMRAIDMarkup, MarkupThatNamesMRAIDGetsTheScriptFirst) {
    const std::string tag = "<script src=\"mraid.js\"></script>";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"<!DOCTYPE html><html><body><script>mraid.getState()</script></body></html>",
         "<!DOCTYPE html>" + tag + "<html><body><script>mraid.getState()</script></body></html>"},
        {"  <!doctype html>\n<p>window.mraid</p>",
         "  <!doctype html>" + tag + "\n<p>window.mraid</p>"},
        {"<div>if (mraid) {}</div>", tag + "<div>if (mraid) {}</div>"},
        // Already loading it, or not naming it: as served.
        {"<script src=\"mraid.js\"></script><script>mraid.open('x')</script>",
         "<script src=\"mraid.js\"></script><script>mraid.open('x')</script>"},
        {"<p>mraidish and my_mraid</p>", "<p>mraidish and my_mraid</p>"},
        {"<p>plain</p>", "<p>plain</p>"},
    };
    for (const auto& [served, loaded] : cases) {
        EXPECT_EQ(GADSlot::markupWithMRAIDScript(served), loaded) << served;
    }
}
