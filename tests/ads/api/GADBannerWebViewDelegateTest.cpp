#include <gtest/gtest.h>

#include <atomic>

#include "ads/api/GADAdType.h"
#include "ads/api/GADBannerWebViewDelegate.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/TouchSimulator.h"
#include "platform/ui/Window.h"
#include "tests/support/LocalServer.h"

using foundation::RunLoop;

namespace {

class RecordingEvents : public GADSlotAdEventDelegate {
  public:
    void slotFinishedLoadingAdContent(GADSlot&) override { ++finished; }
    void slotDidFailToLoadAdContentWithError(GADSlot&, const GADRequestError& error) override {
        failures.push_back(error.code());
    }
    int finished = 0;
    std::vector<long> failures;
};

class GADBannerWebViewDelegateTest : public testing::Test {
  protected:
    void SetUp() override {
        server.server().Get("/landing", [this](const httplib::Request&, httplib::Response& r) {
            ++landingHits;
            r.set_content("<p>landing</p>", "text/html");
        });
        server.start();
        slot = GADSlot::make({0, 0, 320, 50});
        slot->setAdType(GADAdType::bannerAdTypeForSize(kGADAdSizeBanner), false);
        slot->setAdEventDelegate(events);
        window->addSubview(slot->webView());
        window->makeKeyAndVisible();
    }
    void TearDown() override {
        slot->cancelPendingAndFutureActions();
        RunLoop::main().runUntilIdle();
    }

    // The slot renders an ad page with a link to the landing page.
    void renderAd() {
        slot->webView()->configureAsBannerAdView();
        slot->setState(GADSlotStateRendering);
        slot->webView()->loadHTMLString("<a id='go' href='" + server.url("/landing") + "'>ad</a>",
                                        foundation::URL::fromString("http://ads.test/ad"));
        waitForLoad();
    }
    void waitForLoad() {
        RunLoop::main().runUntilIdle();
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return !slot->webView()->isLoading(); }, 10));
        RunLoop::main().runUntilIdle();
    }

    foundation::ManualClock clock;
    testing_support::LocalServer server;
    std::atomic<int> landingHits{0};
    std::shared_ptr<RecordingEvents> events = std::make_shared<RecordingEvents>();
    std::shared_ptr<GADSlot> slot;
    ui::Window::Ptr window = ui::Window::make();
};

TEST_F(GADBannerWebViewDelegateTest, ALoadedAdIsShownAndReportedToTheSlot) {
    renderAd();
    EXPECT_EQ(slot->state(), GADSlotStateReady);
    EXPECT_EQ(events->finished, 1);
    EXPECT_FALSE(slot->webView()->isHidden());
    EXPECT_TRUE(slot->timeLastLoaded().has_value());
    auto delegate =
        std::dynamic_pointer_cast<GADBannerWebViewDelegate>(slot->webView()->delegate());
    ASSERT_TRUE(delegate);
    EXPECT_EQ(delegate->slot(), slot);
}

TEST_F(GADBannerWebViewDelegateTest, ATouchedLinkIsAClickFrom0Point15SecondsAfterTheLoad) {
    struct Case {
        double after;
        bool touch;
        bool click;
    };
    const std::vector<Case> cases = {
        {0.1, true, false}, {0.149, true, false}, {0.15, true, true},
        {2.0, true, true},  {2.0, false, false},  // a page that navigates by itself is no click
    };
    for (const auto& c : cases) {
        renderAd();
        ASSERT_FALSE(slot->webView()->touched());
        clock.advance(c.after);
        if (c.touch) {
            ui::TouchSimulator::tap(window, {160, 25});
        }
        const int hits = landingHits;
        const std::size_t opened = ui::Application::shared().openedURLs().size();
        ASSERT_TRUE(slot->webView()->webView()->tapElement("go"));
        waitForLoad();
        const bool openedOutside = ui::Application::shared().openedURLs().size() > opened;
        EXPECT_EQ(openedOutside, c.click) << c.after << " " << c.touch;
        // A click never navigates inside the ad; anything else loads.
        EXPECT_EQ(landingHits > hits, !c.click) << c.after << " " << c.touch;
    }
    auto delegate =
        std::dynamic_pointer_cast<GADBannerWebViewDelegate>(slot->webView()->delegate());
    EXPECT_FALSE(delegate->isClick(web::NavigationType::reload, *slot->webView()));
    EXPECT_FALSE(delegate->isClick(web::NavigationType::backForward, *slot->webView()));
}

TEST_F(GADBannerWebViewDelegateTest, APageThatFailsWhileRenderingFailsTheRequest) {
    const net::URLRequest unreachable(*foundation::URL::fromString("http://127.0.0.1:1/ad"));
    slot->setState(GADSlotStateRendering);
    slot->webView()->loadRequest(unreachable);
    waitForLoad();
    EXPECT_EQ(events->failures, std::vector<long>{kGADErrorNetworkError});
    EXPECT_EQ(slot->state(), GADSlotStateFailed);

    // Once the ad is ready, a failing page is not the slot's failure.
    slot->setState(GADSlotStateReady);
    slot->webView()->loadRequest(unreachable);
    waitForLoad();
    EXPECT_EQ(events->failures.size(), 1u);
}

TEST_F(GADBannerWebViewDelegateTest, AnAdPageWhoseFramesAllFailFailsTheRequestOnce) {
    slot->webView()->configureAsBannerAdView();
    slot->setState(GADSlotStateRendering);
    slot->webView()->loadHTMLString(
        "<p>ad</p><iframe src='http://127.0.0.1:1/a'></iframe>"
        "<iframe src='http://127.0.0.1:1/b'></iframe>",
        foundation::URL::fromString("http://ads.test/ad"));
    waitForLoad();
    RunLoop::main().runUntil([&] { return slot->webView()->webView()->activeLoadCount() == 0; },
                             10);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(events->failures, std::vector<long>{kGADErrorNetworkError});
    EXPECT_EQ(events->finished, 0);
}

}  // namespace
