#include <gtest/gtest.h>

#include <thread>

#include "ads/api/GADBannerView.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/foundation/GADMacros.h"
#include "ads/webview/GADSDKCoreController.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/Thread.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

namespace {

class RecordingDelegate : public GADBannerViewDelegate {
  public:
    void adViewDidReceiveAd(GADBannerView&) override { ++received; }
    void adViewDidFailToReceiveAdWithError(GADBannerView&, const GADRequestError& error) override {
        failures.push_back(error.code());
        messages.push_back(error.localizedDescription());
        onMainThread = onMainThread && foundation::Thread::isMainThread();
    }
    int received = 0;
    std::vector<long> failures;
    std::vector<std::string> messages;
    bool onMainThread = true;
};

class RecordingChecker : public GADLogChecker {
  public:
    void message(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

class FakeController : public GADSDKCoreController {
  public:
    void buildAdURL(const std::weak_ptr<GADSDKCoreControllerDelegate>&) override { ++requests; }
    int requests = 0;
};

class GADBannerViewTest : public testing::Test {
  protected:
    void SetUp() override {
        GADRequest::request();  // the first request's test-device hint is not heard here
        GADMacros::setLogChecker(checker);
    }
    void TearDown() override { foundation::RunLoop::main().runUntilIdle(); }

    std::shared_ptr<RecordingChecker> checker = std::make_shared<RecordingChecker>();
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
    std::shared_ptr<ui::ViewController> root = std::make_shared<ui::ViewController>();
};

TEST_F(GADBannerViewTest, BannerLoadedAsTheScreensDoReportsItsFailureOnce) {
    auto banner = GADBannerView::makeWithFrame(graphics::Rect(0, 60, 320, 50));
    ASSERT_NE(banner, nullptr);
    EXPECT_TRUE(GADAdSizeIsEqualToAdSize(banner->adSize(), kGADAdSizeBanner));
    EXPECT_EQ(banner->frame(), graphics::Rect(0, 60, 320, 50));
    banner->setAdUnitID(std::string("a14f0e8d0d0b0c0"));
    banner->setRootViewController(root);
    banner->setDelegate(delegate);
    EXPECT_EQ(banner->webView()->viewController(), root);

    banner->loadRequest(GADRequest::request());
    foundation::RunLoop::main().runUntil([&] { return !delegate->failures.empty(); }, 5);
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_EQ(delegate->failures, std::vector<long>{kGADErrorNetworkError});
    EXPECT_EQ(delegate->messages,
              std::vector<std::string>{"Request Error: A network error occurred."});
    EXPECT_TRUE(delegate->onMainThread);
    EXPECT_EQ(delegate->received, 0);
}

TEST_F(GADBannerViewTest, SmartBannerTakesTheScreenWidth) {
    auto banner = GADBannerView::makeWithAdSize(kGADAdSizeSmartBannerPortrait);
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->frame(), graphics::Rect(0, 0, 320, 50));
    EXPECT_TRUE(GADAdSizeIsEqualToAdSize(banner->adSize(), kGADAdSizeSmartBannerPortrait));
    EXPECT_EQ(banner->intrinsicContentSize(), (graphics::Size{320, 50}));
    EXPECT_EQ(banner->adView(), banner->webView());
    EXPECT_EQ(banner->webView()->superview(), banner);
    EXPECT_TRUE(banner->webView()->isHidden());
    EXPECT_TRUE(banner->clipsToBounds());

    auto placed = GADBannerView::makeWithAdSize(kGADAdSizeBanner, graphics::Point{0, 60});
    EXPECT_EQ(placed->frame(), graphics::Rect(0, 60, 320, 50));
}

TEST_F(GADBannerViewTest, LoadingWithoutRootViewControllerFailsAtOnce) {
    GADSDKCoreController::setSharedInstance(std::make_shared<FakeController>());
    auto banner = GADBannerView::makeWithFrame(graphics::Rect(0, 60, 320, 50));
    banner->setDelegate(delegate);
    banner->loadRequest(GADRequest::request());
    EXPECT_EQ(delegate->failures, std::vector<long>{kGADErrorInvalidRequest});  // before returning
    EXPECT_EQ(checker->messages,
              std::vector<std::string>{
                  "Must set the rootViewController property of GADBannerView before calling "
                  "loadRequest:"});
    EXPECT_EQ(banner->slot()->state(), GADSlotStateIdle);
}

TEST_F(GADBannerViewTest, InvalidSizesAreRefused) {
    EXPECT_EQ(GADBannerView::makeWithAdSize(kGADAdSizeInvalid), nullptr);
    EXPECT_EQ(checker->messages,
              std::vector<std::string>{"Unable to set adSize property with kGADAdSizeInvalid. "
                                       "Please use one of the standard ad sizes or create a custom "
                                       "ad size using GADAdSizeFromCGSize."});
    EXPECT_EQ(GADBannerView::makeWithFrame(graphics::Rect(0, 0, 10, 10), kGADAdSizeInvalid),
              nullptr);
    EXPECT_EQ(checker->messages.size(), 1u);  // silently

    auto banner = GADBannerView::make();
    ASSERT_NE(banner, nullptr);
    EXPECT_TRUE(
        GADAdSizeIsEqualToAdSize(banner->adSize(), GADAdSize{{0, 0}, kGADAdSizeFlagCustom}));
    banner->setAdSize(GADAdSize{{5000, 10}, kGADAdSizeFlagCustom});
    EXPECT_EQ(checker->messages.size(), 2u);
    EXPECT_EQ(banner->frame().size, (graphics::Size{0, 0}));
}

TEST_F(GADBannerViewTest, AlphaIsAllOrNothing) {
    auto banner = GADBannerView::make();
    banner->setAlpha(0.3);
    EXPECT_EQ(banner->alpha(), 1);
    banner->setAlpha(0);
    EXPECT_EQ(banner->alpha(), 0);
}

TEST_F(GADBannerViewTest, NewFrameSizesReloadTheLastRequest) {
    auto controller = std::make_shared<FakeController>();
    GADSDKCoreController::setSharedInstance(controller);
    auto banner = GADBannerView::makeWithFrame(graphics::Rect(0, 60, 320, 50));
    banner->setRootViewController(root);
    banner->loadRequest(GADRequest::request());
    EXPECT_EQ(controller->requests, 1);
    banner->setFrame(graphics::Rect(10, 70, 320, 50));  // same size: no reload
    EXPECT_EQ(controller->requests, 1);
    banner->setFrame(graphics::Rect(10, 70, 300, 250));
    EXPECT_EQ(controller->requests, 2);
    EXPECT_TRUE(GADAdSizeIsEqualToAdSize(banner->adSize(), kGADAdSizeMediumRectangle));
    banner->setBounds(graphics::Rect(0, 0, 300, 250));  // through setAdSize: unchanged
    EXPECT_EQ(controller->requests, 2);
}

TEST_F(GADBannerViewTest, OnlyAVisibleBannerOnScreenRefreshes) {
    auto banner = GADBannerView::makeWithFrame(graphics::Rect(0, 60, 320, 50));
    auto screen = std::make_shared<ui::View>(graphics::Rect(0, 0, 320, 568));
    GADSlot& slot = *banner->slot();
    banner->webView()->setHidden(false);
    EXPECT_EQ(banner->slotShouldReloadCurrentRequest(slot), std::optional<bool>(false));
    screen->addSubview(banner);
    EXPECT_EQ(banner->slotShouldReloadCurrentRequest(slot), std::optional<bool>(true));
    banner->setHidden(true);
    EXPECT_EQ(banner->slotShouldReloadCurrentRequest(slot), std::optional<bool>(false));
    banner->setHidden(false);
    banner->webView()->setHidden(true);
    EXPECT_EQ(banner->slotShouldReloadCurrentRequest(slot), std::optional<bool>(false));
}

TEST_F(GADBannerViewTest, EventsReachTheDelegateOnTheMainThreadAndSkipAGoneOne) {
    auto banner = GADBannerView::makeWithFrame(graphics::Rect(0, 60, 320, 50));
    banner->setDelegate(delegate);
    std::thread worker([&] {
        banner->slotDidFailToLoadAdContentWithError(*banner->slot(),
                                                    GADRequestError::errorWithCode(1));
    });
    foundation::RunLoop::main().runUntil([&] { return !delegate->failures.empty(); }, 5);
    worker.join();
    EXPECT_EQ(delegate->failures, std::vector<long>{kGADErrorNoFill});
    EXPECT_TRUE(delegate->onMainThread);

    delegate.reset();
    banner->slotFinishedLoadingAdContent(*banner->slot());  // nobody listens: nothing happens
    EXPECT_EQ(banner->delegate(), nullptr);
}

TEST_F(GADBannerViewTest, RequestsSayWhereTheAdLiesOnTheScreen) {
    auto banner = GADBannerView::makeWithAdSize(kGADAdSizeBanner);
    banner->setFrame({0, 400, 320, 50});
    EXPECT_FALSE(banner->slot()->requestParameters().contains("ad_pos"));  // in no window

    auto window = ui::Window::make();
    window->makeKeyAndVisible();
    window->addSubview(banner);
    const foundation::Value position =
        foundation::Value(banner->slot()->requestParameters())["ad_pos"];
    EXPECT_EQ(position["x"].doubleValue(), 0);
    EXPECT_EQ(position["y"].doubleValue(), 400);
    EXPECT_EQ(position["width"].doubleValue(), 320);
    EXPECT_EQ(position["height"].doubleValue(), 50);
    EXPECT_FALSE(position["visible"].boolValue());  // no ad shown yet
    banner->adView()->setHidden(false);
    EXPECT_TRUE(
        foundation::Value(banner->slot()->requestParameters())["ad_pos"]["visible"].boolValue());
    banner->removeFromSuperview();
}

}  // namespace
