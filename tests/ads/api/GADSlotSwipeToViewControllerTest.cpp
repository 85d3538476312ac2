#include "ads/api/GADSlotSwipeToViewController.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ads/api/GADAd.h"
#include "ads/api/GADBannerView.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADApplication.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/JSON.h"
#include "platform/foundation/RunLoop.h"
#include "platform/services/Storefront.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TouchSimulator.h"
#include "platform/ui/ViewController.h"
#include "platform/ui/Window.h"

namespace {

using foundation::RunLoop;

constexpr double kScreenHeight = 500;
constexpr const char* kSwipeable = R"({"app_store_product_id": 123,
    "swipeable_rectangles": [{"x": 0, "y": 0, "width": 320, "height": 50}],
    "swipe_event_creative_metadata": {"creative": "c1"},
    "swipe_animation_transition_duration": 0.4})";

// A banner on the application's screen whose ad carries swipe settings and
// whose page records the events it hears.
class GADSlotSwipeToViewControllerTest : public testing::Test {
  protected:
    void SetUp() override {
        ui::Screen::mainScreen().setBounds({0, 0, 320, kScreenHeight});
        services::Storefront::shared().addProduct({"123", "App", "", 0});
        window->setRootViewController(root);
        window->makeKeyAndVisible();
    }
    void TearDown() override { settle(); }

    // The banner at window y `top` with an ad of the given settings and a
    // page; the page sets the direction and whether the ad travels along.
    void showBanner(double top, const std::string& settings, int direction, bool draggable) {
        if (banner) {
            banner->removeFromSuperview();
        }
        banner = GADBannerView::makeWithAdSize(kGADAdSizeBanner, {0, top});
        banner->setRootViewController(root);
        root->view()->addSubview(banner);
        auto ad = std::make_shared<GADAd>();
        ad->setSwipeToViewControllerConfigurations(foundation::JSON::parse(settings));
        slot()->finishedLoadingAdResponse(ad);
        slot()->webView()->loadHTMLString(
            "<script>window.heard = []; window.VIRA_ReceiveMessage = (n, i) => "
            "heard.push(i ? n + ' ' + JSON.stringify(i) : n);</script>",
            foundation::URL::fromString("http://ad.example/"));
        RunLoop::main().runUntilIdle();
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return !slot()->webView()->isLoading(); }, 10));
        if (auto configurations = swipe()->configurations()) {
            configurations->setSwipeDirection(direction);
            configurations->setAdDraggable(draggable);
        }
        swipe()->enableSwipeToViewController();
        clock.emplace();
    }
    const std::shared_ptr<GADSlot>& slot() const { return banner->slot(); }
    const std::shared_ptr<GADSlotSwipeToViewController>& swipe() const {
        return slot()->swipeToViewController();
    }
    void settle() {
        RunLoop::main().runUntilIdle();
        if (clock) {
            clock->advance(2);
        }
        RunLoop::main().runUntilIdle();
    }
    // What the page heard since the last call.
    std::vector<std::string> heard() {
        settle();
        const std::string list = slot()->webView()->stringByEvaluatingJavaScriptFromString(
            "JSON.stringify(heard.splice(0))");
        std::vector<std::string> events;
        const std::optional<foundation::Value> parsed = foundation::JSON::parse(list);
        for (const foundation::Value& event : *parsed->asArray()) {
            events.push_back(event.stringValue());
        }
        return events;
    }
    // One finger through the window points, a tenth of a second per step,
    // lifted at the end.
    void pan(const std::vector<double>& ys, double x = 160) {
        ui::TouchSimulator finger(window);
        finger.begin({{x, ys.front()}});
        for (std::size_t i = 1; i < ys.size(); ++i) {
            clock->advance(0.1);
            finger.move({{x, ys[i]}});
        }
        finger.end();
    }

    ui::Window::Ptr window = ui::Window::make();
    std::shared_ptr<ui::ViewController> root = std::make_shared<ui::ViewController>();
    std::shared_ptr<GADBannerView> banner;
    std::optional<foundation::ManualClock> clock;
};

TEST_F(GADSlotSwipeToViewControllerTest, PositionReportsAreSentWhenTheyChange) {
    showBanner(300, kSwipeable, 2, false);
    swipe()->canEnableSwipeToViewController();
    swipe()->canEnableSwipeToViewController();
    EXPECT_EQ(heard(),
              std::vector<std::string>{
                  R"(onAdVisible {"anySuperViewScrollable":"0","creativeFrame":{"height":50,)"
                  R"("width":320,"x":0,"y":300},"deviceFrame":{"height":480,"width":320,)"
                  R"("x":0,"y":20},"deviceOrientation":"portrait"})"});
    // Disabling forgets the last report.
    swipe()->disableSwipeToViewController();
    swipe()->enableSwipeToViewController();
    swipe()->canEnableSwipeToViewController();
    EXPECT_EQ(heard().size(), 1u);
}

TEST_F(GADSlotSwipeToViewControllerTest, EnablingInstallsThePanOnTheBanner) {
    showBanner(300, kSwipeable, 2, true);
    ASSERT_TRUE(swipe()->isAnimationControllerInitialized());
    const auto recognizer = swipe()->swipeGestureRecognizer();
    EXPECT_EQ(banner->gestureRecognizers(),
              std::vector<std::shared_ptr<ui::GestureRecognizer>>{recognizer});
    EXPECT_EQ(swipe()->animation()->direction(), 2);
    EXPECT_EQ(swipe()->animation()->draggableView(), banner);
    EXPECT_EQ(swipe()->animation()->transitionDuration(), 0.4);
    swipe()->disableSwipeToViewController();
    EXPECT_TRUE(banner->gestureRecognizers().empty());
    EXPECT_FALSE(swipe()->isEnabled());
    // A new request disables the swipe; the set-up stays.
    swipe()->enableSwipeToViewController();
    slot()->resetRequestState();
    EXPECT_FALSE(swipe()->isEnabled());
    EXPECT_EQ(swipe()->swipeGestureRecognizer(), recognizer);
}

TEST_F(GADSlotSwipeToViewControllerTest, AnAdWithoutSettingsHasNoSwipe) {
    showBanner(300, "[]", 2, false);
    swipe()->canEnableSwipeToViewController();
    EXPECT_FALSE(swipe()->isEnabled());
    EXPECT_TRUE(banner->gestureRecognizers().empty());
    EXPECT_TRUE(heard().empty());
}

TEST_F(GADSlotSwipeToViewControllerTest, DrivenPans) {
    struct Case {
        const char* name;
        double top;
        std::string settings;
        int direction;
        std::vector<double> ys;
        std::vector<std::string> events;
        bool sheetUp;
    };
    const std::string noProduct =
        R"({"swipeable_rectangles": [{"x": 0, "y": 0, "width": 320, "height": 50}]})";
    const std::string upperStripe =
        R"({"app_store_product_id": 123,
            "swipeable_rectangles": [{"x": 0, "y": 0, "width": 320, "height": 10}]})";
    const std::vector<Case> cases = {
        {"up past the threshold, released moving up",
         300,
         kSwipeable,
         2,
         {340, 320, 200, 100},
         {R"(onSwipeableViewControllerPresentationFinished {"creative":"c1"})"},
         true},
        {"up, then back down",
         300,
         kSwipeable,
         2,
         {340, 320, 150, 250},
         {R"(onSwipeableViewControllerPresentationCanceled {"creative":"c1"})"},
         false},
        // The ad runs off the bottom of the screen: the pan starts on the
        // screen's edge, where a downward swipe has no way to go.
        {"down from the very bottom edge",
         460,
         kSwipeable,
         1,
         {489, 500, 505, 510},
         {R"(onSwipeableViewControllerPresentationFinished {"creative":"c1"})"},
         true},
        // Nothing is presented, so the page hears nothing of the swipe.
        {"a banner without a product ID", 300, noProduct, 2, {340, 320, 200, 100}, {}, false},
        {"outside the swipeable rectangles", 300, upperStripe, 2, {340, 320, 200, 100}, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock.reset();
        showBanner(c.top, c.settings, c.direction, true);
        pan(c.ys);
        if (c.direction == 1 && c.sheetUp) {
            EXPECT_EQ(swipe()->animation()->startY(), kScreenHeight);
            EXPECT_EQ(swipe()->animationController()->percentComplete(), 0);
        }
        EXPECT_EQ(heard(), c.events);
        EXPECT_EQ(root->presentedViewController() != nullptr, c.sheetUp);
        EXPECT_EQ(swipe()->isSwipeUnderWay(), c.sheetUp);
        EXPECT_TRUE(swipe()->swipeGestureRecognizer()->isEnabled());
        if (root->presentedViewController()) {
            root->dismissViewController(false);
        }
        settle();
    }
}

TEST_F(GADSlotSwipeToViewControllerTest, ClosingTheSheetGivesItBackForTheNextSwipe) {
    showBanner(300, kSwipeable, 2, true);
    pan({340, 320, 200, 100});
    heard();
    auto sheet = swipe()->swipeableStoreProductViewController();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(root->presentedViewController(), sheet);
    EXPECT_EQ(sheet->requests().size(), 1u);
    sheet->finish();
    EXPECT_EQ(heard(),
              std::vector<std::string>{R"(onSwipeToViewControllerDismissed {"creative":"c1"})"});
    EXPECT_FALSE(root->presentedViewController());
    EXPECT_FALSE(swipe()->isSwipeUnderWay());
    EXPECT_FALSE(swipe()->swipeableStoreProductViewController());
    // The next swipe takes the same sheet from the application's cache,
    // under the product's decimal text, and does not load it again.
    pan({340, 320, 200, 100});
    EXPECT_EQ(swipe()->swipeableStoreProductViewController(), sheet);
    EXPECT_EQ(sheet->requests().size(), 1u);
}

TEST_F(GADSlotSwipeToViewControllerTest, TheSlotLivesThroughASwipeAndTheBannerIsNotKeptAlive) {
    showBanner(300, kSwipeable, 2, true);
    std::weak_ptr<GADBannerView> weakBanner = banner;
    std::weak_ptr<GADSlot> weakSlot = slot();
    // The finger lands on the ad's page, which the banner owns.
    slot()->webView()->setHidden(false);
    ui::TouchSimulator finger(window);
    finger.begin({{160, 340}});
    clock->advance(0.1);
    finger.move({{160, 320}});
    banner->removeFromSuperview();
    banner.reset();
    EXPECT_TRUE(weakBanner.expired());
    ASSERT_FALSE(weakSlot.expired());
    clock->advance(0.1);
    finger.move({{160, 330}});
    finger.end();
    settle();
    // Cancelled, the slot lets itself go.
    EXPECT_TRUE(weakSlot.expired());
}

TEST_F(GADSlotSwipeToViewControllerTest, ASwipeTheSystemCancelsTakesTheSheetBack) {
    showBanner(300, kSwipeable, 2, false);
    ui::TouchSimulator finger(window);
    finger.begin({{160, 340}});
    for (double y : {320, 200}) {
        clock->advance(0.1);
        finger.move({{160, y}});
    }
    ASSERT_TRUE(root->presentedViewController());
    finger.cancel();
    EXPECT_EQ(heard(), std::vector<std::string>{
                           R"(onSwipeableViewControllerPresentationCanceled {"creative":"c1"})"});
    EXPECT_FALSE(root->presentedViewController());
    EXPECT_FALSE(swipe()->isSwipeUnderWay());
    EXPECT_TRUE(swipe()->swipeGestureRecognizer()->isEnabled());
}

}  // namespace
