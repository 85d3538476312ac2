#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "ads/api/GADAd.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADStatisticDictionary.h"
#include "ads/presentation/GADBrowserWebViewDelegate.h"
#include "ads/presentation/GADIntrinsicImages.h"
#include "ads/presentation/GADWebAppViewController.h"
#include "ads/presentation/GADWebAppWebViewDelegate.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Color.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
#include "tests/ads/presentation/ScreenEventRecorder.h"
#include "tests/support/WindowFixture.h"

namespace {

using foundation::RunLoop;
using graphics::Rect;
using Log = std::vector<std::string>;

// A page that keeps the names of the events the component sends it.
constexpr const char* kPage =
    "<script>var got = []; function VIRA_ReceiveMessage(name) { got.push(name); }</script>";

}  // namespace

class GADWebAppViewControllerTest : public testing_support::WindowFixture {
  protected:
    void SetUp() override {
        recorder->listenTo(*slot);
        WindowFixture::SetUp();
        // The slot shows an ad, whose statistics the screens write.
        slot->setState(GADSlotStateRequestingAdURL);
        slot->loadAd(ad, std::nullopt);
        slot->didLoadAdHTMLInWebView();
        slot->cancelPendingActions();
        settle();
    }

    Log take() { return std::exchange(log, {}); }
    static bool loadPage(GADWebView& view) {
        view.loadHTMLString(kPage, foundation::URL::fromString("http://ads.test/ad"));
        RunLoop::main().runUntilIdle();
        return RunLoop::main().runUntil([&] { return !view.isLoading(); }, 10);
    }
    // The events the page has heard.
    static std::string events(GADWebView& view) {
        RunLoop::main().runUntilIdle();
        return view.stringByEvaluatingJavaScriptFromString("got.join('|')");
    }
    GADWebAppViewController::Ptr present(const std::shared_ptr<GADWebView>& webView = nullptr) {
        auto screen = GADWebAppViewController::make(webView);
        screen->setSlot(slot);
        screen->presentFromViewController(root);
        return screen;
    }

    Log log;
    std::shared_ptr<ScreenEventRecorder> recorder = std::make_shared<ScreenEventRecorder>(log);
    std::shared_ptr<GADAd> ad = std::make_shared<GADAd>();
    std::shared_ptr<GADSlot> slot = GADSlot::make();
    ui::Application& application = ui::Application::shared();
};

TEST_F(GADWebAppViewControllerTest, ExpandedBannerTakesTheScreenAndGoesBackInItsPlace) {
    auto banner = std::make_shared<ui::View>(Rect(0, 430, 320, 50));
    root->view()->addSubview(banner);
    auto webView = std::make_shared<GADWebView>(Rect(0, 0, 320, 50));
    auto bannerDelegate = std::make_shared<GADWebViewDelegate>();
    webView->setDelegate(bannerDelegate);
    webView->setViewController(root);
    banner->addSubview(webView);
    ASSERT_TRUE(loadPage(*webView));

    auto screen = present(webView);
    std::weak_ptr<GADWebAppViewController> weak = screen;
    settle();
    EXPECT_TRUE(screen->isExpandable());
    EXPECT_EQ(events(*webView), "expanding|onshow");
    // A picture of the banner stays in its place.
    ASSERT_NE(screen->renderedBanner(), nullptr);
    EXPECT_EQ(screen->renderedBanner()->superview(), banner);
    EXPECT_EQ(screen->renderedBanner()->frame(), Rect(0, 0, 320, 50));
    EXPECT_EQ(webView->superview(), screen->view());
    EXPECT_EQ(webView->frame(), screen->view()->bounds());
    EXPECT_EQ(webView->delegate(), screen->webViewDelegate());
    EXPECT_EQ(webView->viewController(), screen);
    EXPECT_EQ(take(), (Log{kAdModalViewControllerWillPresentFullScreen, "slot will present"}));

    ASSERT_TRUE(screen->closeButton()->tap());
    screen.reset();
    EXPECT_EQ(events(*webView), "expanding|onshow|onhide");
    EXPECT_EQ(webView->superview(), banner);
    EXPECT_EQ(webView->frame(), Rect(0, 0, 320, 50));
    EXPECT_EQ(webView->delegate(), bannerDelegate);
    EXPECT_EQ(webView->viewController(), root);
    settle();
    EXPECT_EQ(events(*webView), "expanding|onshow|onhide|collapsed");
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(banner->subviews(), (std::vector<ui::View::Ptr>{webView}));
    EXPECT_EQ(take(), (Log{"slot will dismiss", kAdModalViewControllerDidDismissFullScreen,
                           "slot did dismiss"}));
}

TEST_F(GADWebAppViewControllerTest, OnShowGoesOutOnceWhenBothTheScreenAndThePageAreThere) {
    // The page loaded before the screen appears: at the appearance.
    auto given = std::make_shared<GADWebView>(Rect(0, 0, 320, 480));
    auto givenDelegate = std::make_shared<GADWebViewDelegate>();
    given->setDelegate(givenDelegate);
    ASSERT_TRUE(loadPage(*given));
    auto first = present(given);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(events(*given), "expanding");
    settle();
    EXPECT_EQ(events(*given), "expanding|onshow");
    first->relinquishScreen();
    first.reset();
    settle();

    // An MRAID ad's second page loading after the appearance: at the load,
    // with the ready event; the next page hears neither.
    ad->setMRAIDEnabled(true);
    auto second = present();
    settle();
    ASSERT_TRUE(second->viewDidAppear());
    ASSERT_TRUE(loadPage(*second->webView()));
    EXPECT_EQ(events(*second->webView()), "onshow|onReadyEventReceived");
    ASSERT_TRUE(loadPage(*second->webView()));
    EXPECT_EQ(events(*second->webView()), "");
    EXPECT_TRUE(second->webViewDelegate()->calledOnShow());
    second->relinquishScreen();
}

TEST_F(GADWebAppViewControllerTest, CloseButtonFollowsCustomCloseAndTheMRAIDCorner) {
    struct Case {
        bool customClose;
        bool mraid;
        bool shown;
        Rect frame;
        bool transparent;
    };
    const Case cases[] = {
        {false, false, true, {0, 0, 32, 32}, false},   // top-left close image
        {false, true, true, {270, 0, 50, 50}, false},  // top-right on an MRAID ad
        {true, false, false, {0, 0, 32, 32}, false},   // the ad closes itself
        {true, true, true, {270, 0, 50, 50}, true},    // an invisible touch area
    };
    GADIntrinsicImages& images = GADIntrinsicImages::sharedInstance();
    for (const Case& c : cases) {
        ad->setMRAIDEnabled(c.mraid);
        auto screen = GADWebAppViewController::make();
        screen->setSlot(slot);
        screen->setUseCustomClose(c.customClose);  // as the opener does before presenting
        screen->presentFromViewController(root);
        settle();
        const ui::Button::Ptr& button = screen->closeButton();
        EXPECT_EQ(button->superview() == screen->view(), c.shown) << c.customClose << c.mraid;
        EXPECT_EQ(button->frame(), c.frame) << c.customClose << c.mraid;
        if (c.shown) {
            EXPECT_EQ(button->imageForState(ui::ControlState::normal),
                      c.transparent ? images.transparentImage() : images.closeButton());
            // The button lies over the page.
            EXPECT_EQ(screen->view()->subviews().back(), button);
        }
        EXPECT_EQ(button->accessibilityLabel(), "Close Advertisement");
        screen->relinquishScreen();
        screen.reset();
        settle();
    }

    // Turning the screen moves an MRAID ad's close area to the new corner.
    ad->setMRAIDEnabled(true);
    auto screen = present();
    settle();
    ASSERT_TRUE(window->rotateToInterfaceOrientation(ui::InterfaceOrientation::landscapeRight));
    settle();
    EXPECT_EQ(screen->closeButton()->frame().origin.x, screen->webView()->frame().size.width - 50);
    EXPECT_EQ(screen->closeButton()->alpha(), 1);
    screen->relinquishScreen();
    window->rotateToInterfaceOrientation(ui::InterfaceOrientation::portrait);
}

TEST_F(GADWebAppViewControllerTest, ComingBackFromAnAppTheAdOpenedKeepsTheScreenOnce) {
    auto screen = present();
    std::weak_ptr<GADWebAppViewController> weak = screen;
    ASSERT_TRUE(loadPage(*screen->webView()));
    settle();
    std::shared_ptr<GADOpener> opener = screen->webViewDelegate()->opener();
    screen.reset();

    opener->setDidOpenAnotherApplication(true);
    application.enterBackground();
    application.enterForeground();
    settle();
    ASSERT_FALSE(weak.expired());
    EXPECT_EQ(window->topViewController(), weak.lock());
    EXPECT_FALSE(opener->didOpenAnotherApplication());
    take();

    application.enterBackground();
    application.enterForeground();
    settle();
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(take(), (Log{"slot will dismiss", kAdModalViewControllerDidDismissFullScreen,
                           "slot did dismiss"}));

    // An ad that draws its own close control goes in any case.
    screen = present();
    screen->setUseCustomClose(true);
    settle();
    screen->webViewDelegate()->opener()->setDidOpenAnotherApplication(true);
    EXPECT_TRUE(screen->shouldDismissOnAppClose());
    screen->relinquishScreen();
}

TEST_F(GADWebAppViewControllerTest, LandingPageKeepsItsFirstStartAndLastFinish) {
    auto screen = present();
    settle();
    ASSERT_TRUE(loadPage(*screen->webView()));
    const foundation::Value start = ad->statistics()->objectForKey(kGADLandingPageLoadStartKey);
    const foundation::Value end = ad->statistics()->objectForKey(kGADLandingPageLoadEndKey);
    ASSERT_FALSE(start.isNull());
    ASSERT_FALSE(end.isNull());
    clock.advance(2);
    ASSERT_TRUE(loadPage(*screen->webView()));
    EXPECT_EQ(ad->statistics()->objectForKey(kGADLandingPageLoadStartKey), start);
    EXPECT_EQ(ad->statistics()->objectForKey(kGADLandingPageLoadEndKey).integerValue(),
              end.integerValue() + 2000);
    screen->relinquishScreen();
}

TEST_F(GADWebAppViewControllerTest, CloseBeforePresentingChangesNothing) {
    auto given = std::make_shared<GADWebView>(Rect(0, 0, 320, 480));
    auto givenDelegate = std::make_shared<GADWebViewDelegate>();
    given->setDelegate(givenDelegate);
    ASSERT_TRUE(loadPage(*given));
    auto screen = GADWebAppViewController::make(given);
    screen->setSlot(slot);
    screen->relinquishScreen();  // as a "close" message from the page would
    screen.reset();
    settle();
    EXPECT_EQ(events(*given), "");
    EXPECT_TRUE(take().empty());
}

TEST_F(GADWebAppViewControllerTest, TransparentInterstitialLiesOverTheKeyWindow) {
    const double kPi = std::numbers::pi;
    struct Turn {
        int orientation;
        double angle;
    };
    for (const Turn& t : {Turn{1, 0}, Turn{2, kPi}, Turn{3, kPi / 2}, Turn{4, -kPi / 2}}) {
        EXPECT_EQ(GADWebAppViewController::transformForOrientation(t.orientation),
                  graphics::AffineTransform::makeRotation(t.angle))
            << t.orientation;
    }

    application.setIdleTimerDisabled(false);
    auto screen = GADWebAppViewController::make();
    std::weak_ptr<GADWebAppViewController> weak = screen;
    screen->setSlot(slot);
    screen->setTransparentInterstitial(true);
    screen->presentFromViewController(root);
    EXPECT_EQ(screen->view()->superview(), window);
    EXPECT_TRUE(screen->displayingAsTransparentInterstitial());
    EXPECT_FALSE(application.isStatusBarHidden());
    EXPECT_TRUE(application.isIdleTimerDisabled());
    EXPECT_EQ(take(), (Log{kAdModalViewControllerWillPresentFullScreen, "slot will present"}));
    settle();
    EXPECT_TRUE(screen->viewDidAppear());
    // The application frame under the status bar; a square layer of the
    // screen's longer side; the page the application frame's size.
    EXPECT_EQ(screen->view()->frame(), Rect(0, 20, 320, 548));
    EXPECT_EQ(screen->view()->backgroundColor(), graphics::Color::clearColor());
    EXPECT_EQ(screen->contentView()->frame(), Rect(-124, -10, 568, 568));
    EXPECT_EQ(screen->webView()->frame(), Rect(124, 10, 320, 548));
    EXPECT_EQ(screen->closeButton()->superview(), screen->contentView());
    // What the ad opens is presented from the application's controller.
    EXPECT_EQ(screen->webViewDelegate()->viewControllerForPresentingFromWebView(*screen->webView()),
              root);
    EXPECT_EQ(screen->webViewDelegate()->opener()->delegate(), screen);

    // The layer slides in from the bottom of the screen as the user sees it.
    struct Entry {
        ui::InterfaceOrientation orientation;
        graphics::Point start;  // relative to where it comes to rest
    };
    const Entry entries[] = {
        {ui::InterfaceOrientation::portrait, {0, 548}},
        {ui::InterfaceOrientation::portraitUpsideDown, {0, -548}},
        {ui::InterfaceOrientation::landscapeRight, {-320, 0}},
        {ui::InterfaceOrientation::landscapeLeft, {320, 0}},
    };
    const ui::View::Ptr& content = screen->contentView();
    for (const Entry& e : entries) {
        application.setStatusBarOrientation(e.orientation);
        std::vector<graphics::Point> centers;
        content->addObserver(recorder, "center", [&](const foundation::KeyValueChange&) {
            centers.push_back(content->center());
        });
        screen->animateTransparentInterstitialPresentation();
        content->removeObserver(recorder.get(), "center");
        ASSERT_EQ(centers.size(), 2u);
        EXPECT_EQ(centers[0].x - centers[1].x, e.start.x) << static_cast<int>(e.orientation);
        EXPECT_EQ(centers[0].y - centers[1].y, e.start.y) << static_cast<int>(e.orientation);
    }
    // Turned with the status bar: the page takes the turned size.
    application.setStatusBarOrientation(ui::InterfaceOrientation::landscapeRight);
    EXPECT_EQ(content->transform(), graphics::AffineTransform::makeRotation(kPi / 2));
    EXPECT_EQ(screen->webView()->frame(), Rect(10, 124, 548, 320));
    application.setStatusBarOrientation(ui::InterfaceOrientation::portrait);
    EXPECT_EQ(screen->webView()->frame(), Rect(124, 10, 320, 548));
    take();

    // The ad shows something in the application: the layer gives the screen
    // back as a close would and fades out.
    screen->didOpenInApplication();
    EXPECT_FALSE(screen->displayingAsTransparentInterstitial());
    EXPECT_FALSE(application.isIdleTimerDisabled());
    EXPECT_EQ(take(), (Log{"slot will dismiss", kAdModalViewControllerDidDismissFullScreen}));
    EXPECT_EQ(screen->webView()->alpha(), 0);
    EXPECT_EQ(screen->view()->superview(), window);
    screen.reset();
    clock.advance(GADWebAppViewController::kTransparentFadeOutDuration);
    RunLoop::main().runUntilIdle();
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(window->subviews().size(), 1u);
    EXPECT_EQ(take(), (Log{"slot did dismiss"}));
}
