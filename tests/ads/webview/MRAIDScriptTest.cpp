#include <gtest/gtest.h>

#include <regex>

#include "ads/webview/GADNotification.h"
#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/RunLoop.h"
#include "tests/support/MRAIDScripts.h"

using foundation::RunLoop;
using testing_support::MRAIDScripts;

namespace {

// Keeps the page's in-ad messages as "name key=value ..." lines.
class RecordingDelegate : public GADWebViewDelegate {
  public:
    std::vector<std::string> messages;
    bool webViewShouldStartLoad(GADWebView&, const net::URLRequest& request,
                                web::NavigationType) override {
        const auto message = GADNotification::withNotificationURL(*request.url());
        if (!message) {
            return true;
        }
        std::string line = message->name();
        for (const auto& [key, value] : message->parameters()) {
            line += " " + key + "=" + value.stringValue();
        }
        messages.push_back(line);
        return false;
    }
};

class MRAIDScriptTest : public testing::Test {
  protected:
    void TearDown() override { RunLoop::main().runUntilIdle(); }

    // A page with the script of `kind`, ready, on a 320 x 568 portrait
    // screen that can store pictures; errors are kept in window.errors.
    void loadAd(const std::string& kind = "mraid_app_banner") {
        view = std::make_shared<GADWebView>(graphics::Rect{0, 0, 320, 50});
        view->setDelegate(delegate);
        view->loadHTMLString("<html><head><script>" + MRAIDScripts::script(kind) +
                                 "</script></head><body>ad</body></html>",
                             foundation::URL::fromString("http://ads.test/ad"));
        RunLoop::main().runUntilIdle();
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return !view->isLoading(); }, 10));
        run("window.errors = []; window.changes = [];"
            "mraid.addEventListener('error', (message, action) => errors.push(action));"
            "['stateChange', 'viewableChange', 'sizeChange', 'exposureChange'].forEach((e) =>"
            "  mraid.addEventListener(e, (...a) => changes.push(e + ':' + a.join(','))));"
            "VIRA_ReceiveMessage('onReadyEventReceived');"
            "VIRA_ReceiveMessage('onScreenInfoChanged',"
            "  {width: 320, height: 568, isOrientationLandscape: '0'});"
            "VIRA_ReceiveMessage('onDeviceFeaturesReceived', {sms: false, tel: true,"
            "  calendar: false, storePicture: true, inlineVideo: true});");
        flush();
        run("changes = [];");
        delegate->messages.clear();
    }
    std::string run(const std::string& script) {
        return view->stringByEvaluatingJavaScriptFromString(script);
    }
    // Lets the page's queued navigations reach the delegate.
    void flush() { RunLoop::main().runUntilIdle(); }

    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
    std::shared_ptr<GADWebView> view;
};

TEST_F(MRAIDScriptTest, CallsBecomeInAdMessagesOrErrors) {
    struct Case {
        const char* script;
        std::vector<std::string> messages;
        const char* errors;
        const char* state;
    };
    const std::vector<Case> cases = {
        // Expanding and resizing wait for the component.
        {"mraid.expand()", {"open a=expand custom_close=0"}, "", "default"},
        {"mraid.setOrientationProperties({forceOrientation: 'landscape'}); mraid.expand()",
         {"open a=expand custom_close=0 o=l"},
         "",
         "default"},
        {"mraid.setOrientationProperties({allowOrientationChange: false}); mraid.expand()",
         {"open a=expand custom_close=0 o=p"},
         "",
         "default"},
        {"mraid.setExpandProperties({useCustomClose: true}); mraid.expand('https://ads.test/2')",
         {"open a=webapp custom_close=1 u=https://ads.test/2"},
         "",
         "default"},
        {"mraid.expand(); VIRA_ReceiveMessage('expanding'); mraid.close()",
         {"open a=expand custom_close=0", "close"},
         "",
         "default"},
        {"mraid.expand(); VIRA_ReceiveMessage('onMRAIDError', {action: 'expand'})",
         {"open a=expand custom_close=0"},
         "expand",
         "default"},
        {"mraid.close()", {"close"}, "", "hidden"},
        {"mraid.unload()", {"close"}, "", "hidden"},
        {"mraid.unload(); mraid.unload()", {"close"}, "unload", "hidden"},
        {"mraid.useCustomClose(true)", {"customClose custom_close=1"}, "", "default"},
        {"mraid.setResizeProperties({width: 300, height: 250, offsetX: 10, offsetY: 20});"
         "mraid.resize()",
         {"mraid a=resize allowOffscreen=1 customClosePosition=top-right height=250 offsetX=10 "
          "offsetY=20 width=300"},
         "",
         "default"},
        // Listeners hear an event on a later turn, also those added after
        // the call that caused it.
        {"mraid.resize(); mraid.addEventListener('error', (m, action) => errors.push('late'))",
         {},
         "resize,late",
         "default"},
        // Beyond the screen: refused unless the ad may leave it, and never
        // with its close area off screen, by the properties and by resize.
        {"mraid.setResizeProperties({width: 400, height: 250, allowOffscreen: false});"
         "mraid.resize()",
         {},
         "setResizeProperties,resize",
         "default"},
        {"mraid.setResizeProperties({width: 400, height: 250}); mraid.resize()",
         {},
         "setResizeProperties,resize",
         "default"},
        {"mraid.setResizeProperties({width: 400, height: 250, customClosePosition: 'top-left'});"
         "mraid.resize()",
         {"mraid a=resize allowOffscreen=1 customClosePosition=top-left height=250 offsetX=0 "
          "offsetY=0 width=400"},
         "",
         "default"},
        {"mraid.setResizeProperties({width: 300, height: 100, offsetX: -100,"
         " customClosePosition: 'top-left'}); mraid.resize()",
         {},
         "setResizeProperties,resize",
         "default"},
        // Bad properties.
        {"mraid.resize()", {}, "resize", "default"},
        {"mraid.setResizeProperties({width: -5, height: 250}); mraid.resize()",
         {},
         "setResizeProperties,resize",
         "default"},
        {"mraid.setResizeProperties({width: '300', height: 250})",
         {},
         "setResizeProperties",
         "default"},
        {"mraid.setResizeProperties({width: NaN, height: 250})",
         {},
         "setResizeProperties",
         "default"},
        {"mraid.setResizeProperties({width: 300, height: 250, offsetX: 'left'})",
         {},
         "setResizeProperties",
         "default"},
        {"mraid.setResizeProperties({width: 300, height: 250, customClosePosition: 'middle'})",
         {},
         "setResizeProperties",
         "default"},
        {"mraid.setResizeProperties(null)", {}, "setResizeProperties", "default"},
        {"mraid.setExpandProperties({width: 1e9})", {}, "setExpandProperties", "default"},
        {"mraid.setExpandProperties({height: -1})", {}, "setExpandProperties", "default"},
        {"mraid.setExpandProperties('big')", {}, "setExpandProperties", "default"},
        {"mraid.setOrientationProperties({forceOrientation: 'sideways'})",
         {},
         "setOrientationProperties",
         "default"},
        {"mraid.expand(42)", {}, "expand", "default"},
        {"mraid.expand(); VIRA_ReceiveMessage('expanding'); mraid.expand()",
         {"open a=expand custom_close=0"},
         "expand",
         "expanded"},
        {"mraid.addEventListener('nonsense', () => 0)", {}, "addEventListener", "default"},
        {"mraid.open('https://shop.test/x')",
         {"open a=browser u=https://shop.test/x"},
         "",
         "default"},
        {"mraid.open('tel:123')", {"open a=app u=tel:123"}, "", "default"},
        {"mraid.open()", {}, "open", "default"},
        {"mraid.storePicture('https://img.test/p.png')",
         {"mraid a=storePicture iurl=https://img.test/p.png"},
         "",
         "default"},
        {"mraid.createCalendarEvent({start: 'not a date'})", {}, "createCalendarEvent", "default"},
        {"VIRA_ReceiveMessage('onCalendarEventCanceled')", {}, "createCalendarEvent", "default"},
        {"VIRA_ReceiveMessage('onMRAIDError', {action: 'resize', message: 'No.'})",
         {},
         "resize",
         "default"},
    };
    for (const auto& c : cases) {
        loadAd();
        run(c.script);
        flush();
        EXPECT_EQ(delegate->messages, c.messages) << c.script;
        EXPECT_EQ(run("errors.join(',')"), c.errors) << c.script;
        EXPECT_EQ(run("mraid.getState()"), c.state) << c.script;
    }
}

TEST_F(MRAIDScriptTest, CalendarEventsCarryDatesInTheComponentsForm) {
    loadAd();
    run("mraid.createCalendarEvent({description: 'Sale', location: 'Shop',"
        " start: new Date(2026, 11, 24, 10, 30, 0), end: '2026-12-24T12:00:00Z'})");
    flush();
    ASSERT_EQ(delegate->messages.size(), 1u);
    const std::regex form(
        "mraid a=createCalendarEvent description=Sale "
        "end=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:00[+-]\\d\\d:\\d\\d location=Shop "
        "start=2026-12-24T10:30:00[+-]\\d\\d:\\d\\d summary=Sale");
    EXPECT_TRUE(std::regex_match(delegate->messages[0], form)) << delegate->messages[0];
}

TEST_F(MRAIDScriptTest, ComponentEventsChangeWhatThePageSees) {
    loadAd();
    EXPECT_EQ(run("[mraid.supports('tel'), mraid.supports('sms'), mraid.supports('calendar')]"
                  ".join()"),
              "true,false,false");
    EXPECT_EQ(run("mraid.getVersion()"), "3.0");
    EXPECT_EQ(run("JSON.stringify(mraid.getExpandProperties())"),
              "{\"width\":320,\"height\":568,\"useCustomClose\":false,\"isModal\":true}");
    run("VIRA_ReceiveMessage('onAdVisibilityChanged', {visible: '1'});"
        "VIRA_ReceiveMessage('onAdVisibilityChanged', {visible: '1'});"
        "VIRA_ReceiveMessage('onAdVisibilityChanged', {visible: 'true'});");
    EXPECT_EQ(run("changes.join(' ')"), "");
    flush();
    EXPECT_EQ(run("changes.join(' ')"), "viewableChange:true viewableChange:false");

    // Exposure: each new share with the visible rectangle, none at 0.
    run("changes = []; window.rectangles = [];"
        "mraid.addEventListener('exposureChange', (p, r) => rectangles.push(JSON.stringify(r)));"
        "VIRA_ReceiveMessage('onExposureChanged',"
        "  {exposedPercentage: 25, x: 0, y: 187.5, width: 320, height: 62.5});"
        "VIRA_ReceiveMessage('onExposureChanged',"
        "  {exposedPercentage: 25, x: 0, y: 187.5, width: 320, height: 62.5});"
        "VIRA_ReceiveMessage('onExposureChanged',"
        "  {exposedPercentage: 0, x: 0, y: 0, width: 0, height: 0});");
    flush();
    EXPECT_EQ(run("changes.join(' ')"), "exposureChange:25,[object Object], exposureChange:0,,");
    EXPECT_EQ(run("rectangles.join(' ')"),
              "{\"x\":0,\"y\":187.5,\"width\":320,\"height\":62.5} null");

    // State listeners read the size that comes with the new state.
    run("changes = []; mraid.addEventListener('stateChange', (s) => changes.push(s + ' at ' +"
        "  mraid.getCurrentPosition().width + 'x' + mraid.getCurrentPosition().height));"
        "mraid.expand(); VIRA_ReceiveMessage('expanding');"
        "VIRA_ReceiveMessage('onScreenInfoChanged',"
        "  {width: 320, height: 568, isOrientationLandscape: '1'});");
    flush();
    EXPECT_EQ(run("JSON.stringify(mraid.getScreenSize())"), "{\"width\":568,\"height\":320}");
    EXPECT_EQ(run("changes.join(' ')"),
              "stateChange:expanded expanded at 568x320 sizeChange:320,568 sizeChange:568,320");
    run("changes = []; VIRA_ReceiveMessage('collapsed');"
        "VIRA_ReceiveMessage('onScreenInfoChanged', {width: 'wide', height: null});");
    flush();
    EXPECT_EQ(run("changes.join(' ')"), "stateChange:default default at 320x50 sizeChange:320,50");
    EXPECT_EQ(run("JSON.stringify(mraid.getCurrentPosition())"),
              "{\"x\":0,\"y\":0,\"width\":320,\"height\":50}");
}

TEST_F(MRAIDScriptTest, InterstitialsNeitherExpandNorResize) {
    loadAd("mraid_app_interstitial");
    run("mraid.expand(); mraid.setResizeProperties({width: 100, height: 100}); mraid.resize();"
        "mraid.close()");
    flush();
    EXPECT_EQ(run("mraid.getPlacementType()"), "interstitial");
    EXPECT_EQ(run("errors.join(',')"), "expand,resize");
    EXPECT_EQ(delegate->messages, std::vector<std::string>{"close"});
}

TEST_F(MRAIDScriptTest, AnInterstitialIsDefaultWhileShownAndHiddenAfter) {
    loadAd("mraid_app_interstitial");
    run("VIRA_ReceiveMessage('expanding')");
    EXPECT_EQ(run("mraid.getState()"), "default");
    run("VIRA_ReceiveMessage('collapsed')");
    EXPECT_EQ(run("mraid.getState()"), "hidden");
    flush();
    EXPECT_EQ(run("changes.join(' ')"), "stateChange:hidden");
}

}  // namespace
