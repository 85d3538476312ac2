#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ads/api/GADInterstitial.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADMacros.h"
#include "ads/presentation/GADWebAppViewController.h"
#include "ads/webview/GADSDKCoreController.h"
#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Window.h"
#include "tests/ads/api/FakeSDKCoreController.h"
#include "tests/ads/api/RecordingInterstitialDelegate.h"
#include "tests/support/LocalServer.h"
#include "tests/support/WindowFixture.h"

namespace {

using foundation::RunLoop;
using Log = std::vector<std::string>;

// The ad page keeps the names of the events the component sends it.
constexpr const char* kAdPage =
    "<html><body><p>Full screen</p><script>var got = [];"
    "function VIRA_ReceiveMessage(name) { got.push(name); }</script></body></html>";

// The interstitial's delegate, also hearing the publisher's log.
class Recorder : public RecordingInterstitialDelegate, public GADLogChecker {
  public:
    void message(const std::string& text) override { messages.push_back(text); }

    std::vector<std::string> messages;
};

}  // namespace

class GADInterstitialTest : public testing_support::WindowFixture {
  protected:
    void SetUp() override {
        GADApplication::sharedApplication().reset();
        GADSDKCoreController::setSharedInstance(controller);
        GADMacros::setLogChecker(recorder);
        server.serve("/ad", 200, kAdPage);
        server.start();
        WindowFixture::SetUp();
        interstitial->setDelegate(recorder);
        interstitial->setAdUnitID(std::string("unit-1"));
        settle();
    }
    void TearDown() override {
        interstitial.reset();
        settle();
        GADMacros::setLogChecker(nullptr);
        GADSDKCoreController::setSharedInstance(nullptr);
    }
    Log take() { return std::exchange(recorder->log, {}); }
    // Loads as the SDK-core page would answer: with the ad server's address.
    void loadAd() {
        interstitial->loadRequest(GADRequest::request());
        ASSERT_EQ(controller->requests.size(), 1u);
        interstitial->slot()->loadAdURLWithParameters(
            foundation::Dictionary{{"url", server.url("/ad")}});
        ASSERT_TRUE(RunLoop::main().runUntil([this] { return !recorder->log.empty(); }, 20));
        RunLoop::main().runUntilIdle();
    }
    std::string events() {
        RunLoop::main().runUntilIdle();
        return interstitial->slot()->webView()->stringByEvaluatingJavaScriptFromString(
            "got.join('|')");
    }

    std::shared_ptr<FakeSDKCoreController> controller = std::make_shared<FakeSDKCoreController>();
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
    testing_support::LocalServer server;
    std::shared_ptr<GADInterstitial> interstitial = GADInterstitial::make();
};

TEST_F(GADInterstitialTest, LoadsOnceShowsOnceAndReportsItsScreen) {
    interstitial->presentFromRootViewController(root);  // not ready: only a log line
    EXPECT_EQ(recorder->messages, Log{"Cannot present interstitial. It is not ready."});
    EXPECT_FALSE(interstitial->hasBeenUsed());

    // The page's own load is a navigation of the ad; it does not cancel the
    // render it belongs to.
    loadAd();
    EXPECT_EQ(take(), Log{"received"});
    ASSERT_TRUE(interstitial->isReady());
    EXPECT_EQ(interstitial->adNetworkClassName(), "GADMAdapterDezuvoZiZezAds");
    EXPECT_EQ(GADApplication::sharedApplication().statistics()->objectForKey("pimp"),
              foundation::Value());  // counted when shown

    std::weak_ptr<GADWebAppViewController> screen = interstitial->viewController();
    interstitial->presentFromRootViewController(root);
    EXPECT_TRUE(interstitial->hasBeenUsed());
    EXPECT_EQ(interstitial->viewController(), nullptr);
    EXPECT_EQ(GADApplication::sharedApplication().statistics()->objectForKey("pimp"),
              foundation::Value(1));
    EXPECT_EQ(take(), Log{"will present"});
    settle();
    ASSERT_FALSE(screen.expired());
    EXPECT_EQ(window->topViewController(), screen.lock());
    std::shared_ptr<GADWebView> webView = interstitial->slot()->webView();
    EXPECT_EQ(webView->superview(), screen.lock()->view());
    EXPECT_EQ(screen.lock()->closeButton()->superview(), screen.lock()->view());
    EXPECT_EQ(events(), "expanding|onshow");

    // Used: a second presentation shows nothing and reports the misuse.
    interstitial->presentFromRootViewController(root);
    EXPECT_EQ(take(), Log{"failed 6"});
    EXPECT_EQ(window->topViewController(), screen.lock());

    ASSERT_TRUE(screen.lock()->closeButton()->tap());
    EXPECT_EQ(take(), Log{"will dismiss"});
    settle();
    EXPECT_TRUE(screen.expired());
    EXPECT_EQ(take(), Log{"did dismiss"});
    EXPECT_EQ(events(), "expanding|onshow|onhide|collapsed");

    // A later load keeps its request and sends nothing.
    auto request = GADRequest::request();
    interstitial->loadRequest(request);
    EXPECT_EQ(interstitial->request(), request);
    EXPECT_EQ(take(), Log{"failed 6"});
    EXPECT_EQ(controller->requests.size(), 1u);
}

TEST_F(GADInterstitialTest, WebActionsCancelWhatThePageLeftPendingOnceTheAdIsReady) {
    struct Case {
        std::int64_t state;
        foundation::Value action;
        bool cancels;
    };
    const Case cases[] = {
        {GADSlotStateReady, foundation::Value(), true},  // an ordinary navigation
        {GADSlotStateReady, foundation::Value("open"), true},
        {GADSlotStateReady, foundation::Value("click"), false},
        {GADSlotStateRendering, foundation::Value(), false},  // the page's own load
        {GADSlotStateRendering, foundation::Value("open"), false},
    };
    const std::shared_ptr<GADSlot>& slot = interstitial->slot();
    for (const Case& c : cases) {
        slot->setState(c.state);
        foundation::Dictionary info{{"u", "http://ads.test/landing"}};
        if (!c.action.isNull()) {
            info["a"] = c.action;
        }
        foundation::NotificationCenter::defaultCenter().post(kGADDidReceiveWebActionNotification,
                                                             slot->webView().get(), info);
        EXPECT_EQ(slot->state(), c.cancels ? GADSlotStateIdle : c.state)
            << c.state << " " << c.action.stringValue();
        slot->setState(GADSlotStateIdle);
    }
}

TEST_F(GADInterstitialTest, DelegateHearsNoDismissalOfAScreenItWasNotToldOf) {
    GADSlot& slot = *interstitial->slot();
    slot.adWillDismissScreen();
    slot.adDidDismissScreen();
    EXPECT_TRUE(take().empty());

    slot.adWillPresentScreen();
    slot.adWillDismissScreen();
    slot.adWillDismissScreen();
    slot.adDidDismissScreen();
    slot.adDidDismissScreen();
    EXPECT_EQ(take(), (Log{"will present", "will dismiss", "did dismiss"}));

    // Without a controller to present from nothing is shown, and the
    // interstitial is used all the same.
    loadAd();
    take();
    interstitial->presentFromRootViewController(nullptr);
    EXPECT_TRUE(interstitial->hasBeenUsed());
    EXPECT_EQ(recorder->messages.back(),
              "No UIViewController supplied to the ad. Cannot continue.");
    settle();
    EXPECT_TRUE(take().empty());
}
