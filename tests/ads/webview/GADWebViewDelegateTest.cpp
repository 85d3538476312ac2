#include <gtest/gtest.h>

#include <mutex>

#include "ads/foundation/GADDevice.h"
#include "ads/webview/GADAdURLStash.h"
#include "ads/webview/GADGMSGHandler.h"
#include "ads/webview/GADNotification.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/ViewController.h"
#include "tests/ads/webview/OpenerRecorders.h"
#include "tests/support/LocalServer.h"

using foundation::RunLoop;
using Log = std::vector<std::string>;

namespace {

// Writes "<its name>:<message>" for every message it is asked about and
// takes those whose name it was given.
class RecordingHandler : public GADGMSGHandler {
  public:
    RecordingHandler(std::string name, std::set<std::string> takes, Log& log)
        : name_(std::move(name)), takes_(std::move(takes)), log_(log) {}
    bool handleRequest(const net::URLRequest& request,
                       const std::shared_ptr<GADWebView>&) override {
        const auto message = GADNotification::withNotificationURL(*request.url());
        const std::string text = message ? message->name() : "";
        log_.push_back(name_ + ":" + text);
        return takes_.count(text) > 0;
    }

  private:
    std::string name_;
    std::set<std::string> takes_;
    Log& log_;
};

// A slot whose current ad is, or is not, an MRAID ad.
class MRAIDSlot : public opener_test::RecordingSlot {
  public:
    using RecordingSlot::RecordingSlot;
    bool isMRAIDEnabled() const override { return mraid; }
    bool mraid = true;
};

class GADWebViewDelegateTest : public testing::Test {
  protected:
    void SetUp() override {
        server.server().Get("/frame", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("<script>location.href = 'gmsg://ad/fromFrame?z=3';</script>",
                                 "text/html");
        });
        server.start();
        view = std::make_shared<GADWebView>(graphics::Rect{0, 0, 320, 50});
        view->setDelegate(delegate);
        auto& center = foundation::NotificationCenter::defaultCenter();
        for (const char* name :
             {"untaken", "fromFrame", kGADDidReceiveWebActionNotification,
              kGADWebViewDidFinishLoadNotification, kGADWebViewDidFailLoadNotification}) {
            tokens.push_back(center.addObserver(
                name, nullptr, nullptr, [this, name](const foundation::Notification& note) {
                    std::string line = std::string("posted ") + name;
                    if (const auto* info = note.userInfo.asDictionary()) {
                        for (const auto& [key, value] : *info) {
                            line += " " + key + "=" + value.stringValue();
                        }
                    }
                    log.push_back(line);
                }));
        }
    }
    void TearDown() override {
        for (const auto& token : tokens) {
            foundation::NotificationCenter::defaultCenter().removeObserver(token);
        }
        RunLoop::main().runUntilIdle();
    }

    bool load(const std::string& html) {
        view->loadHTMLString(html, foundation::URL::fromString("http://ads.test/ad"));
        RunLoop::main().runUntilIdle();
        const bool done = RunLoop::main().runUntil([&] { return !view->isLoading(); }, 10);
        RunLoop::main().runUntilIdle();
        return done;
    }

    testing_support::LocalServer server;
    std::shared_ptr<GADWebViewDelegate> delegate = std::make_shared<GADWebViewDelegate>();
    std::shared_ptr<GADWebView> view;
    std::vector<foundation::NotificationCenter::ObserverToken> tokens;
    Log log;
};

TEST_F(GADWebViewDelegateTest, MessagesFromScriptsAndFramesReachEveryHandlerInTheirOrder) {
    delegate->addGMSGHandler(std::make_shared<RecordingHandler>("A", std::set<std::string>{}, log));
    delegate->addGMSGHandler(
        std::make_shared<RecordingHandler>("B", std::set<std::string>{"taken"}, log));
    ASSERT_TRUE(
        load("<script>location.href = 'gmsg://ad/taken?x=1';"
             "var f = document.createElement('iframe'); f.src = 'gmsg://ad/untaken?y=2';"
             "document.body.appendChild(f);</script>"
             "<iframe src='" +
             server.url("/frame") + "'></iframe>"));
    ASSERT_TRUE(RunLoop::main().runUntil(
        [&] { return std::count(log.begin(), log.end(), "posted fromFrame z=3") == 1; }, 10));
    std::erase_if(log, [](const std::string& line) {
        return line.starts_with("posted webViewDidFinishLoad") ||
               (line.starts_with("posted didReceiveWebAction") &&
                line.find("gmsg") == std::string::npos);
    });
    EXPECT_EQ(log, (Log{
                       "posted didReceiveWebAction a=taken u=gmsg://ad/taken?x=1",
                       "posted didReceiveWebAction a=untaken u=gmsg://ad/untaken?y=2",
                       "A:taken",
                       "B:taken",
                       // every handler is asked; the fallback only when none took it
                       "A:untaken",
                       "B:untaken",
                       "posted untaken y=2",
                       "posted didReceiveWebAction a=fromFrame u=gmsg://ad/fromFrame?z=3",
                       "A:fromFrame",
                       "B:fromFrame",
                       "posted fromFrame z=3",
                   }));
    // Messages are never loaded.
    EXPECT_EQ(view->request()->url()->absoluteString(), "http://ads.test/ad");
}

TEST_F(GADWebViewDelegateTest, ABadEscapeLosesOnlyItsOwnPieceOfAMessage) {
    ASSERT_TRUE(load("<script>location.href = 'gmsg://ad/untaken?y=2&bad=%zz;z=%41';</script>"));
    EXPECT_NE(std::find(log.begin(), log.end(), "posted untaken y=2 z=A"), log.end())
        << testing::PrintToString(log);
}

TEST_F(GADWebViewDelegateTest, NavigationPolicyBySchemeAndKind) {
    using web::NavigationType;
    struct Case {
        const char* url;
        NavigationType type;
        bool loads;
        bool opened;    // handed to the application (mail and text go to composers)
        bool reported;  // "didReceiveWebAction" posted
    };
    const std::vector<Case> cases = {
        {"mailto:a@ads.test", NavigationType::linkClicked, false, false, true},
        {"sms:12345", NavigationType::linkClicked, false, false, true},
        {"market://details?id=1", NavigationType::linkClicked, false, true, true},
        {"file:///tmp/ad.html", NavigationType::other, false, false, true},
        {"about:blank", NavigationType::other, true, false, true},
        // Type "other" with a path shorter than two characters is not reported.
        {"http://landing.test/", NavigationType::other, true, false, false},
        {"http://landing.test/a", NavigationType::other, true, false, true},
        {"https://landing.test/", NavigationType::linkClicked, true, false, true},
        // A jump to an anchor of the shown page is refused and not reported.
        {"http://ads.test/ad#more", NavigationType::linkClicked, false, false, false},
        {kGADPublisherToolbarURL, NavigationType::other, false, false, false},
    };
    ASSERT_TRUE(load("<p>ad</p>"));
    log.clear();
    for (const auto& c : cases) {
        const std::size_t opened = ui::Application::shared().openedURLs().size();
        const std::size_t posted = log.size();
        const net::URLRequest request(*foundation::URL::fromString(c.url));
        EXPECT_EQ(delegate->webViewShouldStartLoad(*view, request, c.type), c.loads) << c.url;
        foundation::RunLoop::main().runUntilIdle();
        EXPECT_EQ(ui::Application::shared().openedURLs().size() > opened, c.opened) << c.url;
        EXPECT_EQ(log.size() > posted, c.reported) << c.url;
    }
    // An http page that may load is recorded as the view's ad URL.
    EXPECT_EQ(view->URL()->absoluteString(), "https://landing.test/");
    EXPECT_EQ(GADAdURLStash::viewForURL(foundation::URL::fromString("https://landing.test")), view);
    // The navigation's User-Agent becomes the device's.
    net::URLRequest withAgent(*foundation::URL::fromString("http://landing.test/ua"));
    withAgent.setValue("AdTest/1", "User-Agent");
    delegate->webViewShouldStartLoad(*view, withAgent, NavigationType::other);
    EXPECT_EQ(GADDevice::currentDevice().userAgentString(), "AdTest/1");
    // File URLs load once allowed.
    delegate->setFileAccessAllowed(true);
    EXPECT_TRUE(delegate->webViewShouldStartLoad(
        *view, net::URLRequest(foundation::URL::fileURL("/tmp/ad.html")), NavigationType::other));
}

TEST_F(GADWebViewDelegateTest, LoadsSetThePageOrientationAndAreReported) {
    ASSERT_TRUE(load("<p>first</p>"));
    EXPECT_TRUE(view->didReceiveLoadEvent());
    EXPECT_TRUE(delegate->hasLoadedAtLeastOnce());
    EXPECT_EQ(view->stringByEvaluatingJavaScriptFromString("window.orientation"), "0");
    ASSERT_TRUE(load("<p>second</p>"));
    view->loadRequest(net::URLRequest(*foundation::URL::fromString("http://127.0.0.1:1/none")));
    RunLoop::main().runUntilIdle();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !view->isLoading(); }, 10));
    // The first finished load only is announced; every failure is.
    EXPECT_EQ(std::count(log.begin(), log.end(), "posted webViewDidFinishLoad"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "posted webViewDidFailLoad"), 1);
}

TEST_F(GADWebViewDelegateTest, AnMRAIDAdsWebLinksOpenInTheInAppBrowser) {
    using web::NavigationType;
    Log opened;
    GADOpener::setScreens(std::make_shared<opener_test::RecordingScreens>(opened));
    auto slot = std::make_shared<MRAIDSlot>(opened);
    delegate->opener()->setSlot(slot);
    // The browser is shown over the ad's view controller.
    auto root = std::make_shared<ui::ViewController>();
    view->setViewController(root);
    ASSERT_TRUE(load("<p>ad</p>"));
    auto allowed = [&](const char* url, NavigationType type) {
        const bool answer = delegate->webViewShouldStartLoad(
            *view, net::URLRequest(*foundation::URL::fromString(url)), type);
        RunLoop::main().runUntilIdle();
        return answer;
    };
    EXPECT_FALSE(allowed("https://landing.test/offer", NavigationType::linkClicked));
    // The browser opens on the link, in any orientation, and the click is pinged.
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_TRUE(opened[0].starts_with("present browser https://landing.test/offer o1"))
        << opened[0];
    EXPECT_EQ(opened[1], "ping clicks");
    // What the page loads by itself, its anchors, and the links of an ad
    // that is not MRAID stay in the ad's web view.
    opened.clear();
    EXPECT_TRUE(allowed("https://landing.test/script", NavigationType::other));
    EXPECT_FALSE(allowed("http://ads.test/ad#more", NavigationType::linkClicked));
    slot->mraid = false;
    EXPECT_TRUE(allowed("https://landing.test/offer", NavigationType::linkClicked));
    EXPECT_TRUE(opened.empty());
}

}  // namespace
