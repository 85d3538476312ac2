#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ads/api/GADAd.h"
#include "ads/api/GADSlot.h"
#include "ads/presentation/GADViewController.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
#include "tests/ads/presentation/ScreenEventRecorder.h"
#include "tests/support/WindowFixture.h"

namespace {

using Log = std::vector<std::string>;

// A screen that stays when the application comes back.
class StayingScreen : public GADViewController {
  public:
    bool shouldDismissOnAppClose() override { return false; }
};

}  // namespace

class GADViewControllerTest : public testing_support::WindowFixture {
  protected:
    void SetUp() override {
        recorder->listenTo(*slot);
        WindowFixture::SetUp();
        settle();
    }

    Log take() { return std::exchange(log, {}); }
    GADViewController::Ptr makeScreen() {
        auto screen = std::make_shared<GADViewController>();
        screen->setSlot(slot);
        return screen;
    }
    // Presents a screen over the root and a browser screen over it, holds
    // neither and forgets the events so far.
    std::pair<std::weak_ptr<GADViewController>, std::weak_ptr<GADViewController>>
    presentStackOfTwo() {
        auto first = makeScreen();
        auto browser = makeScreen();
        first->presentFromViewController(root);
        settle();
        browser->presentFromViewController(first);
        settle();
        take();
        return {first, browser};
    }
    // Puts an ad with its statistics on the slot, as a finished page load does.
    std::shared_ptr<GADAd> showAd() {
        auto ad = std::make_shared<GADAd>();
        slot->setState(GADSlotStateRequestingAdURL);
        slot->loadAd(ad, std::nullopt);
        slot->didLoadAdHTMLInWebView();
        slot->cancelPendingActions();
        return ad;
    }

    Log log;
    std::shared_ptr<ScreenEventRecorder> recorder = std::make_shared<ScreenEventRecorder>(log);
    std::shared_ptr<GADSlot> slot = GADSlot::make();
    ui::Application& application = ui::Application::shared();
};

TEST_F(GADViewControllerTest, FirstScreenTakesTheScreenAndGivesItBackInOrder) {
    auto screen = makeScreen();
    std::weak_ptr<GADViewController> weak = screen;
    screen->presentFromViewController(root);
    EXPECT_EQ(take(), (Log{kAdModalViewControllerWillPresentFullScreen, "slot will present"}));
    EXPECT_TRUE(application.isStatusBarHidden());
    EXPECT_TRUE(application.isIdleTimerDisabled());
    EXPECT_TRUE(screen->interactingWithParent());
    EXPECT_FALSE(screen->view()->isUserInteractionEnabled());

    screen.reset();  // the screen keeps itself while presented
    settle();
    screen = weak.lock();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->retainCycle(), screen);
    EXPECT_EQ(window->topViewController(), screen);
    EXPECT_TRUE(screen->viewDidAppear());
    EXPECT_FALSE(screen->interactingWithParent());
    EXPECT_TRUE(screen->view()->isUserInteractionEnabled());

    screen->relinquishScreen();
    EXPECT_EQ(take(), (Log{"slot will dismiss", kAdModalViewControllerDidDismissFullScreen}));
    EXPECT_FALSE(application.isStatusBarHidden());
    EXPECT_FALSE(application.isIdleTimerDisabled());
    screen.reset();
    settle();
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(take(), (Log{"slot did dismiss"}));
    EXPECT_EQ(window->topViewController(), root);
}

TEST_F(GADViewControllerTest, EverySlotsReloadTimerPausesWhileAScreenIsUp) {
    auto other = GADSlot::make();
    for (const auto& s : {slot, other}) {
        s->scheduleReloadTimer(30);
    }
    auto screen = makeScreen();
    screen->presentFromViewController(root);
    for (const auto& s : {slot, other}) {
        EXPECT_EQ(s->reloadTimer(), nullptr);
    }
    clock.advance(45);  // longer than the interval: nothing is due while paused
    foundation::RunLoop::main().runUntilIdle();
    screen->relinquishScreen();
    for (const auto& s : {slot, other}) {
        ASSERT_TRUE(s->reloadTimer());
        EXPECT_TRUE(s->reloadTimer()->isValid());
        EXPECT_DOUBLE_EQ(s->reloadTimer()->fireDate(), foundation::Clock::monotonic() + 30);
    }
}

TEST_F(GADViewControllerTest, ANestedScreenLeavesSlotStatusBarAndIdleTimerAlone) {
    auto first = makeScreen();
    first->presentFromViewController(root);
    settle();
    take();
    application.setStatusBarHidden(false);
    application.setIdleTimerDisabled(false);

    auto nested = makeScreen();
    nested->setWithholdsAppearanceEnds(true);
    nested->presentFromViewController(first);
    EXPECT_EQ(take(), (Log{kAdModalViewControllerWillPresentFullScreen}));
    EXPECT_FALSE(nested->isFirstGADViewController());
    EXPECT_EQ(nested->parent(), first);
    EXPECT_FALSE(application.isStatusBarHidden());
    EXPECT_FALSE(application.isIdleTimerDisabled());
    settle();
    EXPECT_FALSE(nested->viewDidAppear()) << "no forced appearance for a nested screen";
    nested->setWithholdsAppearanceEnds(false);
    EXPECT_TRUE(nested->viewDidAppear());

    nested->relinquishScreen();
    EXPECT_EQ(take(), (Log{kAdModalViewControllerDidDismissFullScreen}));
    settle();
    EXPECT_EQ(window->topViewController(), first);
    nested.reset();
    EXPECT_EQ(take(), Log{});
    first->relinquishScreen();
}

TEST_F(GADViewControllerTest, TheAppearanceCompletesOnceWhicheverCallComesFirst) {
    struct Case {
        const char* name;
        bool withhold;
        double releaseAfter;  // seconds after presenting; < 0: never released
    };
    const Case cases[] = {
        {"platform call before the forced one", false, 0},
        {"platform call after the forced one", true, 1.0},
        {"no platform call", true, -1},
    };
    for (const auto& c : cases) {
        auto screen = makeScreen();
        screen->setWithholdsAppearanceEnds(c.withhold);
        screen->presentFromViewController(root);
        clock.advance(GADViewController::kForcedAppearanceDelay - 0.01);
        EXPECT_EQ(screen->viewDidAppear(), !c.withhold) << c.name;
        EXPECT_EQ(screen->view()->isUserInteractionEnabled(), !c.withhold) << c.name;
        clock.advance(0.5);
        if (c.releaseAfter >= 0) {
            screen->setWithholdsAppearanceEnds(false);
        }
        EXPECT_TRUE(screen->viewDidAppear()) << c.name;
        EXPECT_TRUE(screen->view()->isUserInteractionEnabled()) << c.name;
        EXPECT_FALSE(screen->interactingWithParent()) << c.name;
        screen->setWithholdsAppearanceEnds(false);
        screen->relinquishScreen();
        settle();
    }
}

TEST_F(GADViewControllerTest, StatusBarAndIdleTimerReturnToWhatTheApplicationHad) {
    struct Case {
        const char* name;
        bool barHiddenBefore;
        ui::ModalPresentationStyle style;
        bool idleTimerDisabledBefore;
        bool barHiddenWhileUp;
    };
    const Case cases[] = {
        {"bar shown", false, ui::ModalPresentationStyle::fullScreen, false, true},
        {"bar already hidden stays hidden", true, ui::ModalPresentationStyle::fullScreen, true,
         true},
        {"not full screen: bar untouched", false, ui::ModalPresentationStyle::overFullScreen, true,
         false},
    };
    for (const auto& c : cases) {
        application.setStatusBarHidden(c.barHiddenBefore);
        application.setIdleTimerDisabled(c.idleTimerDisabledBefore);
        auto screen = makeScreen();
        screen->setModalPresentationStyle(c.style);
        screen->presentFromViewController(root);
        EXPECT_EQ(application.isStatusBarHidden(), c.barHiddenWhileUp) << c.name;
        EXPECT_TRUE(application.isIdleTimerDisabled()) << c.name;
        settle();
        screen->relinquishScreen();
        EXPECT_EQ(application.isStatusBarHidden(), c.barHiddenBefore) << c.name;
        EXPECT_EQ(application.isIdleTimerDisabled(), c.idleTimerDisabledBefore) << c.name;
        settle();
    }
}

TEST_F(GADViewControllerTest, DisappearingRecordsTheDismissTimeAndEachClickPair) {
    auto ad = showAd();
    auto statistics = ad->statistics();
    auto showAndClose = [&] {
        auto screen = makeScreen();
        screen->presentFromViewController(root);
        settle();
        screen->relinquishScreen();
        settle();
        return statistics->objectForKey("tlanding_page_load_dismiss");
    };

    auto dismissed = showAndClose();
    EXPECT_TRUE(dismissed.isInteger());
    EXPECT_TRUE(statistics->objectForKey("tclick").isNull()) << "no click, no pair";

    const std::int64_t clicks[] = {100, 200};
    foundation::Array pairs;
    for (std::int64_t click : clicks) {
        statistics->setObject("tclickcurr", click, false);
        dismissed = showAndClose();
        pairs.push_back(foundation::Array{click, dismissed});
    }
    EXPECT_EQ(statistics->objectForKey("tclick"), foundation::Value(pairs));
}

TEST_F(GADViewControllerTest, TheSlotHearsADismissalOnlyOfAScreenThatWasPresented) {
    application.setIdleTimerDisabled(true);
    {
        foundation::LogCapture capture;
        auto screen = makeScreen();
        screen->presentFromViewController(nullptr);
        EXPECT_TRUE(
            capture.contains("<Dezuvo> No UIViewController supplied to the ad. Cannot continue."));
        screen->relinquishScreen();  // e.g. the page's "close" before it was shown
        EXPECT_FALSE(screen->retainCycle());
    }
    settle();
    EXPECT_EQ(take(), Log{});
    EXPECT_TRUE(application.isIdleTimerDisabled());

    auto screen = makeScreen();
    screen->presentFromViewController(root);
    settle();
    take();
    screen->relinquishScreen();
    screen->relinquishScreen();  // a second close while the first dismissal runs
    EXPECT_EQ(take(), (Log{"slot will dismiss", kAdModalViewControllerDidDismissFullScreen}));
}

TEST_F(GADViewControllerTest, ScreensDismissedByTheApplicationAreGivenBackAndFreed) {
    auto screen = makeScreen();
    std::weak_ptr<GADViewController> weak = screen;
    screen->presentFromViewController(root);
    settle();
    screen.reset();
    take();
    root->dismissViewController(true);
    settle();
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(take(), (Log{"slot will dismiss", kAdModalViewControllerDidDismissFullScreen,
                           "slot did dismiss"}));
    EXPECT_FALSE(application.isStatusBarHidden());
    EXPECT_FALSE(application.isIdleTimerDisabled());

    // A stack of two goes as a whole: the browser on top, then the first.
    const auto [weakFirst, weakBrowser] = presentStackOfTwo();
    root->dismissViewController(true);
    settle();
    EXPECT_TRUE(weakFirst.expired());
    EXPECT_TRUE(weakBrowser.expired());
    EXPECT_EQ(take(), (Log{kAdModalViewControllerDidDismissFullScreen, "slot will dismiss",
                           kAdModalViewControllerDidDismissFullScreen, "slot did dismiss"}));
}

TEST_F(GADViewControllerTest, ComingBackToTheForeground) {
    application.launch();
    auto returnToApplication = [&] {
        application.enterBackground();
        application.enterForeground();
    };

    // A screen that stays hides the status bar again.
    auto staying = std::make_shared<StayingScreen>();
    staying->setSlot(slot);
    staying->presentFromViewController(root);
    settle();
    application.setStatusBarHidden(false);
    returnToApplication();
    settle();
    EXPECT_TRUE(application.isStatusBarHidden());
    EXPECT_EQ(window->topViewController(), staying);
    EXPECT_FALSE(staying->statusBarWasHidden());
    staying->relinquishScreen();
    settle();
    take();

    // A stack of two screens goes through the first one only.
    const auto [weakFirst, weakBrowser] = presentStackOfTwo();
    returnToApplication();
    EXPECT_EQ(take(), Log{}) << "the first screen gives the screen back on the main queue";
    settle();
    EXPECT_EQ(take(), (Log{"slot will dismiss", kAdModalViewControllerDidDismissFullScreen,
                           "slot did dismiss"}));
    EXPECT_TRUE(weakFirst.expired());
    EXPECT_TRUE(weakBrowser.expired());
    EXPECT_EQ(window->topViewController(), root);
}

TEST_F(GADViewControllerTest, OrientationsDecideRotation) {
    using O = ui::InterfaceOrientation;
    struct Case {
        std::int64_t orientations;
        int mask;
        std::vector<O> allowed;
    };
    const std::vector<Case> cases = {
        {1, 30, {O::portrait, O::portraitUpsideDown, O::landscapeRight, O::landscapeLeft}},
        {2, 2, {O::portrait}},
        {3, 24, {O::landscapeRight, O::landscapeLeft}},
        {0, 24, {O::landscapeRight, O::landscapeLeft}},  // 0 is ignored: 3 stays
    };
    auto screen = makeScreen();
    for (const auto& c : cases) {
        screen->setSupportedOrientations(c.orientations);
        EXPECT_EQ(screen->supportedInterfaceOrientations(), c.mask) << c.orientations;
        for (O o : {O::portrait, O::portraitUpsideDown, O::landscapeRight, O::landscapeLeft}) {
            bool allowed = std::find(c.allowed.begin(), c.allowed.end(), o) != c.allowed.end();
            EXPECT_EQ(screen->shouldAutorotateToInterfaceOrientation(o), allowed)
                << c.orientations << " " << static_cast<int>(o);
        }
    }

    screen->setSupportedOrientations(2);
    screen->presentFromViewController(root);
    settle();
    EXPECT_FALSE(window->rotateToInterfaceOrientation(O::landscapeLeft));
    screen->setSupportedOrientations(1);
    EXPECT_TRUE(window->rotateToInterfaceOrientation(O::landscapeLeft));
    EXPECT_EQ(application.statusBarOrientation(), O::landscapeLeft);
    screen->relinquishScreen();
}
