#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ads/api/GADAd.h"
#include "ads/api/GADAdNetworkJavasSciptWebViewDelegate.h"
#include "ads/api/GADAdType.h"
#include "ads/api/GADRequestError.h"
#include "ads/api/GADSlot.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"

using foundation::RunLoop;

namespace {

constexpr const char* kBlankPage = "<html><body><script>var n = 1;</script></body></html>";
constexpr const char* kPaintedPage =
    "<body style='margin:0'><div style='width:320px;height:50px;background:#08f'></div></body>";
// Draws its ad one second after it has loaded.
constexpr const char* kLatePage = R"(<body style='margin:0'><script>
setTimeout(function () {
  document.body.innerHTML = "<div style='width:320px;height:50px;background:#08f'></div>";
}, 1000);
</script></body>)";

class RecordingEvents : public GADSlotAdEventDelegate {
  public:
    void slotFinishedLoadingAdContent(GADSlot&) override { ++finished; }
    void slotDidFailToLoadAdContentWithError(GADSlot&, const GADRequestError& error) override {
        failures.push_back(std::to_string(error.code()) + " " + error.localizedDescription());
    }
    int finished = 0;
    std::vector<std::string> failures;
};

class GADAdNetworkJavasSciptWebViewDelegateTest : public testing::Test {
  protected:
    void SetUp() override {
        slot = GADSlot::make({0, 0, 320, 50});
        slot->setAdType(GADAdType::bannerAdTypeForSize(kGADAdSizeBanner), false);
        slot->setAdEventDelegate(events);
        slot->webView()->configureAsBannerAdView();
    }
    void TearDown() override {
        slot->cancelPendingAndFutureActions();
        RunLoop::main().runUntilIdle();
    }

    static std::shared_ptr<GADAd> javaScriptAd(const std::string& html,
                                               const std::string& passback = "") {
        auto ad = std::make_shared<GADAd>();
        ad->setAdHTML(html);
        ad->setAdBaseURL(foundation::URL::fromString("http://network.test/ad"));
        ad->setAdNetworkJavaScript(true, foundation::URL::fromString(passback));
        return ad;
    }
    // The slot renders `ad` as the fetched ad and its page finishes loading.
    void render(const std::shared_ptr<GADAd>& ad) {
        slot->setState(GADSlotStateFetchingAd);
        slot->loadAdNetworkJavaScriptRequest(ad);
        RunLoop::main().runUntilIdle();
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return !slot->webView()->isLoading(); }, 10));
        RunLoop::main().runUntilIdle();
    }
    std::shared_ptr<GADAdNetworkJavasSciptWebViewDelegate> delegate() const {
        return std::dynamic_pointer_cast<GADAdNetworkJavasSciptWebViewDelegate>(
            slot->webView()->delegate());
    }
    // Moves the clock one sampling interval at a time.
    void sample(int times) {
        for (int i = 0; i < times; ++i) {
            clock.advance(GADAdNetworkJavasSciptWebViewDelegate::kCheckRenderingInterval);
        }
    }

    foundation::ManualClock clock;
    std::shared_ptr<RecordingEvents> events = std::make_shared<RecordingEvents>();
    std::shared_ptr<GADSlot> slot;
};

TEST_F(GADAdNetworkJavasSciptWebViewDelegateTest, APaintedPageIsTheAdAtTheFirstSample) {
    render(javaScriptAd(kPaintedPage));
    ASSERT_TRUE(delegate());
    EXPECT_TRUE(delegate()->renderingCheckHasStarted());
    EXPECT_EQ(slot->state(), GADSlotStateRendering);
    EXPECT_TRUE(slot->webView()->isHidden());
    sample(1);
    EXPECT_EQ(slot->state(), GADSlotStateReady);
    EXPECT_EQ(events->finished, 1);
    EXPECT_FALSE(slot->webView()->isHidden());
    sample(200);
    EXPECT_EQ(events->finished, 1);
    EXPECT_TRUE(events->failures.empty());
}

TEST_F(GADAdNetworkJavasSciptWebViewDelegateTest, APageThatPaintsLateIsTakenOnceItHasPainted) {
    render(javaScriptAd(kLatePage));
    sample(4);
    EXPECT_EQ(events->finished, 0);
    EXPECT_EQ(slot->state(), GADSlotStateRendering);
    sample(2);
    EXPECT_EQ(events->finished, 1);
    EXPECT_EQ(slot->state(), GADSlotStateReady);
    EXPECT_TRUE(events->failures.empty());
}

TEST_F(GADAdNetworkJavasSciptWebViewDelegateTest, ABlankPageTimesOutAtThe101stSample) {
    render(javaScriptAd(kBlankPage));
    sample(100);
    EXPECT_TRUE(events->failures.empty());
    EXPECT_EQ(slot->state(), GADSlotStateRendering);
    sample(1);
    ASSERT_EQ(events->failures.size(), 1u);
    EXPECT_EQ(events->failures[0], "1 Ad check timed out.");
    EXPECT_EQ(slot->state(), GADSlotStateFailed);
    sample(200);
    EXPECT_EQ(events->failures.size(), 1u);
    EXPECT_EQ(events->finished, 0);
}

TEST_F(GADAdNetworkJavasSciptWebViewDelegateTest, APassbackFailsTheAdAndNoSamplingStarts) {
    struct Case {
        const char* rule;
        const char* navigation;
    };
    const Case cases[] = {
        {"the passback scheme in any case", "PassBack://none"},
        {"the passback URL's host and path with another query",
         "http://NETWORK.test/passback/?q=2"},
    };
    for (const Case& c : cases) {
        events->failures.clear();
        render(javaScriptAd(
            std::string("<body><script>location.href = '") + c.navigation + "';</script></body>",
            "http://network.test/passback?q=1"));
        ASSERT_TRUE(delegate()) << c.rule;
        EXPECT_TRUE(delegate()->wasPassbackReceived()) << c.rule;
        EXPECT_FALSE(delegate()->renderingCheckHasStarted()) << c.rule;
        ASSERT_EQ(events->failures.size(), 1u) << c.rule;
        EXPECT_EQ(events->failures[0], "1 Passback URL received.") << c.rule;
        sample(120);
        EXPECT_EQ(events->failures.size(), 1u) << c.rule;
        EXPECT_EQ(events->finished, 0) << c.rule;
    }
}

TEST_F(GADAdNetworkJavasSciptWebViewDelegateTest, RecognisesPassbackNavigations) {
    struct Case {
        const char* rule;
        const char* passbackURL;  // "" for none
        const char* navigation;
        bool passback;
    };
    const Case cases[] = {
        {"scheme, any case", "", "PASSBACK://x", true},
        {"scheme counts without a passback URL", "", "passback:", true},
        {"without a passback URL only the scheme counts", "", "http://network.test/pb", false},
        {"same host and path", "http://network.test/pb", "http://network.test/pb", true},
        {"host in another case, other query", "http://network.test/pb?a=1",
         "https://Network.Test/pb?b=2", true},
        {"a trailing slash on either side", "http://network.test/pb/", "http://network.test/pb",
         true},
        {"another path", "http://network.test/pb", "http://network.test/pb/more", false},
        {"another host", "http://network.test/pb", "http://other.test/pb", false},
    };
    for (const Case& c : cases) {
        GADAdNetworkJavasSciptWebViewDelegate delegate(slot,
                                                       foundation::URL::fromString(c.passbackURL));
        const net::URLRequest request(*foundation::URL::fromString(c.navigation));
        EXPECT_EQ(delegate.isPassbackRequest(request), c.passback) << c.rule;
    }
}

TEST_F(GADAdNetworkJavasSciptWebViewDelegateTest, AnAdWithoutHTMLFails) {
    for (const std::optional<std::string>& html :
         {std::optional<std::string>(""), std::optional<std::string>()}) {
        events->failures.clear();
        auto ad = javaScriptAd("");
        ad->setAdHTML(html);
        slot->setState(GADSlotStateFetchingAd);
        slot->loadAdNetworkJavaScriptRequest(ad);
        ASSERT_EQ(events->failures.size(), 1u);
        EXPECT_EQ(events->failures[0], "2 Empty ad HTML.");
        EXPECT_FALSE(delegate());
    }
}

TEST_F(GADAdNetworkJavasSciptWebViewDelegateTest, TheSlotSendsJavaScriptAdsToTheRenderCheck) {
    slot->setState(GADSlotStateRequestingAdURL);
    slot->loadAd(javaScriptAd(kPaintedPage), std::nullopt);
    ASSERT_TRUE(delegate());
    RunLoop::main().runUntilIdle();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !slot->webView()->isLoading(); }, 10));
    RunLoop::main().runUntilIdle();
    sample(1);
    EXPECT_EQ(events->finished, 1);
    EXPECT_TRUE(slot->ad());
}

TEST_F(GADAdNetworkJavasSciptWebViewDelegateTest, TheNextOrdinaryAdLoadsWithoutARenderCheck) {
    render(javaScriptAd(kPaintedPage));
    sample(1);
    ASSERT_EQ(events->finished, 1);
    auto plain = std::make_shared<GADAd>();
    plain->setAdURL(foundation::URL::fromString("http://127.0.0.1:1/ad"));
    slot->setState(GADSlotStateRequestingAdURL);
    slot->loadAd(plain, std::nullopt);
    EXPECT_FALSE(delegate());
    ASSERT_TRUE(std::dynamic_pointer_cast<GADBannerWebViewDelegate>(slot->webView()->delegate()));
    // A page loaded while rendering is the ad at once.
    slot->setState(GADSlotStateRendering);
    slot->webView()->loadHTMLString(kBlankPage, foundation::URL::fromString("http://ads.test/"));
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return events->finished == 2; }, 10));
}

}  // namespace
