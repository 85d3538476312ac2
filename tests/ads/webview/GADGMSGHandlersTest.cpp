#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ads/webview/GADDefaultGMSGHandler.h"
#include "ads/webview/GADGMSGHandler.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADOpenerGMSGHandler.h"
#include "ads/webview/GADWebAppGMSGHandler.h"
#include "ads/webview/GADWebAppScreen.h"
#include "platform/foundation/Log.h"
#include "platform/media/SystemSound.h"
#include "platform/services/ServicesClasses.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"
#include "tests/ads/webview/OpenerRecorders.h"
#include "tests/ads/webview/RecordingWebView.h"
#include "tests/support/WindowFixture.h"

namespace {

using namespace opener_test;

net::URLRequest message(const std::string& text) {
    return net::URLRequest(*foundation::URL::fromString(text));
}

// A web-app screen that notes what the messages set.
class WebAppScreen : public ui::ViewController, public GADWebAppScreen {
  public:
    void setUseCustomClose(bool use) override { customClose = use; }
    void setTransparentInterstitial(bool transparent) override { this->transparent = transparent; }
    std::optional<bool> customClose;
    std::optional<bool> transparent;
};

}  // namespace

class GADGMSGHandlersTest : public testing_support::WindowFixture {
  protected:
    void SetUp() override {
        services::registerServicesClasses();
        GADOpener::setScreens(screens);
        WindowFixture::SetUp();
        opener->setSlot(slot);
        opener->setDelegate(slot);
        opener->setWebView(page);
        opener->setViewController(root);
        settle();
    }

    Log take() { return std::exchange(log, {}); }

    Log log;
    std::shared_ptr<RecordingSlot> slot = std::make_shared<RecordingSlot>(log);
    std::shared_ptr<RecordingScreens> screens = std::make_shared<RecordingScreens>(log);
    std::shared_ptr<RecordingWebView> page = std::make_shared<RecordingWebView>();
    std::shared_ptr<GADOpener> opener = std::make_shared<GADOpener>();
};

TEST_F(GADGMSGHandlersTest, AHandlerTakesOnlyTheMessagesOfItsTable) {
    GADDefaultGMSGHandler handler;
    EXPECT_TRUE(handler.handleRequest(message("gmsg://mobileads.dezuvo.com/vibrate"), page));
    EXPECT_FALSE(handler.handleRequest(message("gmsg://mobileads.dezuvo.com/open"), page));
    EXPECT_FALSE(handler.handleRequest(message("https://mobileads.dezuvo.com/vibrate"), page));
    // A message whose required parameter is missing is still taken.
    EXPECT_TRUE(handler.handleRequest(message("gmsg://mobileads.dezuvo.com/httpTrack"), page));
    GADOpenerGMSGHandler openerHandler(opener);
    EXPECT_TRUE(openerHandler.handleRequest(message("gmsg://mobileads.dezuvo.com/open"), page));
    EXPECT_FALSE(openerHandler.handleRequest(message("gmsg://mobileads.dezuvo.com/log"), page));
}

TEST_F(GADGMSGHandlersTest, DefaultMessages) {
    GADDefaultGMSGHandler handler;
    std::vector<std::tuple<std::int64_t, std::int64_t, std::int64_t>> touches;
    GADDefaultGMSGHandler::setTouchSink(
        [&](std::int64_t x, std::int64_t y, std::int64_t d) { touches.emplace_back(x, y, d); });
    // Absent values are -1; text is read by its leading integer.
    handler.handleRequest(message("gmsg://mobileads.dezuvo.com/touch?ty=12"), page);
    handler.handleRequest(message("gmsg://mobileads.dezuvo.com/touch?tx=3px&ty=x&td=-4"), page);
    EXPECT_EQ(touches, (std::vector<std::tuple<std::int64_t, std::int64_t, std::int64_t>>{
                           {-1, 12, -1}, {3, 0, -4}}));

    foundation::LogCapture logged;
    handler.handleRequest(message("gmsg://mobileads.dezuvo.com/log?string=hello%20page"), page);
    EXPECT_TRUE(logged.contains("hello page"));

    handler.handleRequest(message("gmsg://mobileads.dezuvo.com/vibrate"), page);
    EXPECT_EQ(media::SystemSound::playedFiles(), std::vector<std::string>{"vibrate"});

    handler.handleRequest(message("gmsg://mobileads.dezuvo.com/canOpenURLs"), page);
    settle();
    EXPECT_EQ(page->scripts, std::vector<std::string>{"VIRA_ReceiveMessage('openableURLs', {});"});

    // "close" gives a full-screen ad screen back, nothing else.
    page->setViewController(root);
    handler.handleRequest(message("gmsg://mobileads.dezuvo.com/close"), page);
    EXPECT_TRUE(take().empty());
    auto adScreen = std::make_shared<AdScreen>();
    page->setViewController(adScreen);
    handler.handleRequest(message("gmsg://mobileads.dezuvo.com/close"), page);
    EXPECT_EQ(take(), Log{"relinquish"});
}

TEST_F(GADGMSGHandlersTest, OpenMessagesReachTheOpener) {
    GADOpenerGMSGHandler handler(opener);
    const std::string open = "gmsg://mobileads.dezuvo.com/open?";
    const Log leaves = {"clicked",         "wrap https://shop.example/", "ping clicks", "left app",
                        "slot will leave", "left due to click"};
    struct Case {
        std::string query;
        Log log;
    };
    const std::vector<Case> cases = {
        // No "a", an unknown one, "app" and "call" leave the application.
        {"u=https%3A%2F%2Fshop.example%2F", leaves},
        {"a=nothing&u=https%3A%2F%2Fshop.example%2F", leaves},
        {"a=call&u=https%3A%2F%2Fshop.example%2F", leaves},
        {"a=app", {}},
        {"a=browser&u=https%3A%2F%2Fa.example%2F",
         {"present browser https://a.example/ o1 from -", "ping clicks", "opened in app"}},
        {"a=video&o=p&u=https%3A%2F%2Fa.example%2F",
         {"present browser https://a.example/ o2 from -", "ping clicks", "opened in app"}},
        {"a=browser", {}},
        // A web app from "u" before "html".
        {"a=webapp&o=l&custom_close=1&u=https%3A%2F%2Fa.example%2F&html=%3Cp%3E",
         {"present web app o3 custom close loading https://a.example/", "ping clicks",
          "opened in app"}},
        {"a=webapp&custom_close=true&html=%3Cp%3E",
         {"present web app o1 loading <p>", "ping clicks", "opened in app"}},
        {"a=webapp", {}},
        {"a=expand&o=x", {"present web app of the ad o1", "ping clicks", "opened in app"}},
        // Quantities 1 to 10 only; report URLs split at white space.
        {"a=in_app_purchase&product_id=sku&quantity=1&report_urls=a%20b%0Ac%20",
         {"make purchase sku x1 3 reports", "ping clicks", "opened in app"}},
        {"a=in_app_purchase&product_id=sku&quantity=10",
         {"make purchase sku x10 0 reports", "ping clicks", "opened in app"}},
        {"a=in_app_purchase&product_id=sku&quantity=0", {}},
        {"a=in_app_purchase&product_id=sku&quantity=11", {}},
        {"a=in_app_purchase&product_id=sku&quantity=abc", {}},
        {"a=in_app_purchase&product_id=sku", {}},
        {"a=in_app_purchase&quantity=1", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        EXPECT_TRUE(handler.handleRequest(message(open + c.query), page));
        settle();
        if (root->presentedViewController()) {
            root->dismissViewController(false);
            settle();
        }
        EXPECT_EQ(take(), c.log);
    }
    EXPECT_EQ(ui::Application::shared().openedURLs().size(), 3u);

    handler.handleRequest(
        message("gmsg://mobileads.dezuvo.com/click?u=http%3A%2F%2F127.0.0.1%3A9%2Fc"), page);
    EXPECT_EQ(take(), Log{"wrap http://127.0.0.1:9/c"});
}

TEST_F(GADGMSGHandlersTest, StoreMessagesWaitForTheFetchUnlessToldExactlyOtherwise) {
    GADOpenerGMSGHandler handler(opener);
    const std::string store = "gmsg://mobileads.dezuvo.com/open?a=in_app_store&product_id=42";
    const std::vector<std::pair<std::string, bool>> cases = {{"", false},
                                                             {"&wait_for_fetch=true", false},
                                                             {"&wait_for_fetch=TRUE", true},
                                                             {"&wait_for_fetch=no", true}};
    for (const auto& [query, shownAtOnce] : cases) {
        SCOPED_TRACE(query);
        handler.handleRequest(message(store + query), page);
        EXPECT_EQ(root->presentedViewController() != nullptr, shownAtOnce);
        settle();
        if (root->presentedViewController()) {
            root->dismissViewController(false);
            settle();
        }
    }
    handler.handleRequest(message("gmsg://mobileads.dezuvo.com/fetchAppStore?product_id=7"), page);
    EXPECT_EQ(opener->cachedStoreProductViewController().count("7"), 1u);
}

TEST_F(GADGMSGHandlersTest, WebAppMessagesChangeOnlyAWebAppScreenNotYetShown) {
    GADWebAppGMSGHandler handler;
    auto screen = std::make_shared<WebAppScreen>();
    page->setViewController(screen);
    handler.handleRequest(message("gmsg://mobileads.dezuvo.com/customClose?custom_close=1"), page);
    EXPECT_EQ(screen->customClose, true);
    handler.handleRequest(message("gmsg://mobileads.dezuvo.com/customClose"), page);
    EXPECT_EQ(screen->customClose, false);
    handler.handleRequest(message("gmsg://mobileads.dezuvo.com/setInterstitialProperties"), page);
    EXPECT_FALSE(screen->transparent);
    handler.handleRequest(
        message("gmsg://mobileads.dezuvo.com/setInterstitialProperties?transparentBackground=1"),
        page);
    EXPECT_EQ(screen->transparent, true);
    window->addSubview(screen->view());
    handler.handleRequest(
        message("gmsg://mobileads.dezuvo.com/setInterstitialProperties?transparentBackground=0"),
        page);
    EXPECT_EQ(screen->transparent, true);
    // A banner's page: nothing to change.
    page->setViewController(root);
    EXPECT_TRUE(handler.handleRequest(
        message("gmsg://mobileads.dezuvo.com/customClose?custom_close=1"), page));
}
