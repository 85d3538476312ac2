#include "ads/presentation/GADBrowserViewController.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ads/foundation/GADStatisticDictionary.h"
#include "ads/presentation/GADBrowserWebView.h"
#include "ads/presentation/GADBrowserWebViewDelegate.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/TextView.h"
#include "platform/ui/Window.h"
#include "tests/support/LocalServer.h"

namespace {

using foundation::RunLoop;
using foundation::URL;

// A browser whose ad statistics the test holds.
class TestBrowser : public GADBrowserViewController {
  public:
    std::shared_ptr<GADStatisticDictionary> statistics = GADStatisticDictionary::make();
    std::shared_ptr<GADStatisticDictionary> adStatistics() const override { return statistics; }
};

std::shared_ptr<TestBrowser> appearedBrowser() {
    auto browser = std::make_shared<TestBrowser>();
    browser->view();
    browser->viewWillAppear(false);
    return browser;
}

// Two linked pages on a loopback server that remembers each page's Referer.
class PageServer {
  public:
    PageServer() {
        for (const std::string page : {"/one", "/two"}) {
            local.server().Get(
                page, [this, page](const httplib::Request& request, httplib::Response& response) {
                    {
                        std::lock_guard lock(mutex_);
                        referers_[page] = request.has_header("Referer")
                                              ? request.get_header_value("Referer")
                                              : "(none)";
                    }
                    response.set_content("<html><body><a href=\"/two\">next</a></body></html>",
                                         "text/html");
                });
        }
        local.start();
    }
    URL url(const std::string& path) { return *URL::fromString(local.url(path)); }
    std::string referer(const std::string& page) {
        std::lock_guard lock(mutex_);
        return referers_.count(page) ? referers_[page] : "(not asked)";
    }

    testing_support::LocalServer local;

  private:
    std::mutex mutex_;
    std::map<std::string, std::string> referers_;
};

// Loads start on the next turn of the run loop.
bool waitForStart(GADBrowserViewController& browser) {
    return RunLoop::main().runUntil([&] { return browser.webView()->isLoading(); }, 10);
}

bool waitForLoad(GADBrowserViewController& browser) {
    return waitForStart(browser) &&
           RunLoop::main().runUntil([&] { return !browser.webView()->isLoading(); }, 10);
}

std::vector<std::string> labels(const ui::Toolbar& toolbar) {
    std::vector<std::string> names;
    for (const auto& item : toolbar.items()) {
        names.push_back(item->isSpace() ? "-" : item->accessibilityLabel());
    }
    return names;
}

TEST(GADBrowserViewControllerTest, LaysOutWebViewAndToolbarForTheDevice) {
    struct Case {
        const char* name;
        ui::UserInterfaceIdiom idiom;
        ui::InterfaceOrientation orientation;
        double toolbarHeight;
        int webViewMask;
    };
    const std::vector<Case> cases = {
        {"phone portrait", ui::UserInterfaceIdiom::phone, ui::InterfaceOrientation::portrait, 44,
         18},
        {"phone landscape", ui::UserInterfaceIdiom::phone, ui::InterfaceOrientation::landscapeLeft,
         30, 50},
        {"pad landscape", ui::UserInterfaceIdiom::pad, ui::InterfaceOrientation::landscapeRight, 44,
         18},
    };
    for (const Case& c : cases) {
        ui::Device::currentDevice().setUserInterfaceIdiom(c.idiom);
        ui::Application::shared().setStatusBarOrientation(c.orientation);
        auto browser = appearedBrowser();
        const graphics::Rect bounds = browser->view()->bounds();
        const double y = bounds.size.height - c.toolbarHeight + 1;
        EXPECT_EQ(browser->webView()->frame(), graphics::Rect(0, 0, bounds.size.width, y))
            << c.name;
        EXPECT_EQ(browser->webView()->autoresizingMask(), c.webViewMask) << c.name;
        EXPECT_EQ(browser->toolbar()->frame(),
                  graphics::Rect(0, y, bounds.size.width, c.toolbarHeight))
            << c.name;
        EXPECT_EQ(browser->toolbar()->autoresizingMask(), 42) << c.name;
        EXPECT_EQ(browser->toolbar()->tintColor(), graphics::Color::blackColor()) << c.name;
        EXPECT_EQ(browser->view()->backgroundColor(), graphics::Color::whiteColor()) << c.name;
        EXPECT_FALSE(browser->webView()->showDebug()) << c.name;
        EXPECT_EQ(browser->webView()->dataDetectorTypes(),
                  static_cast<int>(ui::DataDetectorTypes::all))
            << c.name;
        EXPECT_EQ(browser->webView()->browserViewController(), browser) << c.name;
        foundation::ProcessState::resetAll();
    }
}

TEST(GADBrowserViewControllerTest, ToolbarFollowsLoadingAndHistory) {
    PageServer server;
    auto browser = std::make_shared<TestBrowser>();
    browser->load(server.url("/one"));
    EXPECT_EQ(browser->URLToLoad(), server.url("/one"));
    browser->view();
    browser->viewWillAppear(false);
    EXPECT_EQ(browser->URLToLoad(), std::nullopt);

    const std::vector<std::string> whileLoading = {
        "Back", "-", "Forward", "-", "Spinner", "-", "View in Safari", "-", "Done"};
    const std::vector<std::string> loaded = {"Back",           "-", "Forward", "-", "Reload", "-",
                                             "View in Safari", "-", "Done"};
    ASSERT_TRUE(waitForStart(*browser));
    EXPECT_EQ(labels(*browser->toolbar()), whileLoading);
    EXPECT_TRUE(browser->spinner()->isAnimating());
    EXPECT_FALSE(browser->safariButton()->isEnabled());
    EXPECT_FALSE(browser->backButton()->isEnabled());
    EXPECT_FALSE(browser->forwardButton()->isEnabled());
    // One flexible-space object stands in four places.
    EXPECT_EQ(browser->toolbar()->items()[1], browser->toolbar()->items()[7]);

    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !browser->webView()->isLoading(); }, 10));
    EXPECT_EQ(labels(*browser->toolbar()), loaded);
    EXPECT_FALSE(browser->spinner()->isAnimating());
    EXPECT_TRUE(browser->safariButton()->isEnabled());
    EXPECT_FALSE(browser->backButton()->isEnabled());

    browser->load(server.url("/two"));
    ASSERT_TRUE(waitForLoad(*browser));
    EXPECT_TRUE(browser->backButton()->isEnabled());
    EXPECT_FALSE(browser->forwardButton()->isEnabled());

    ASSERT_TRUE(browser->backButton()->tap());
    ASSERT_TRUE(
        RunLoop::main().runUntil([&] { return browser->forwardButton()->isEnabled(); }, 10));
    EXPECT_FALSE(browser->backButton()->isEnabled());
    // Back does nothing where there is no page behind.
    browser->back();
    EXPECT_FALSE(browser->webView()->isLoading());
}

TEST(GADBrowserViewControllerTest, SendsOnlyTheReferringHost) {
    PageServer server;
    auto browser = appearedBrowser();
    browser->load(server.url("/one"), URL::fromString("https://ads.example.test/click?x=1"));
    ASSERT_TRUE(waitForLoad(*browser));
    EXPECT_EQ(server.referer("/one"), "ads.example.test");

    browser->load(server.url("/two"));
    ASSERT_TRUE(waitForLoad(*browser));
    EXPECT_EQ(server.referer("/two"), "(none)");

    browser->load(std::nullopt);
    EXPECT_FALSE(browser->webView()->isLoading());
}

TEST(GADBrowserViewControllerTest, CountsLandingPageClicksByScheme) {
    auto browser = appearedBrowser();
    auto& delegate = *browser->webViewDelegate();
    GADWebViewDelegate plain;
    struct Case {
        std::string url;
        web::NavigationType type;
    };
    const std::vector<Case> cases = {
        {"http://landing.example.test/a", web::NavigationType::linkClicked},
        {"HTTPS://landing.example.test/b", web::NavigationType::linkClicked},
        {"https://landing.example.test/form", web::NavigationType::formSubmitted},
        // The page's own loads and other schemes count nothing.
        {"http://landing.example.test/c", web::NavigationType::other},
        {"http://landing.example.test/d", web::NavigationType::reload},
        {"ftp://landing.example.test/e", web::NavigationType::linkClicked},
    };
    for (const Case& c : cases) {
        const net::URLRequest request(*URL::fromString(c.url));
        // The answer is the ad policy's.
        EXPECT_EQ(delegate.webViewShouldStartLoad(*browser->webView(), request, c.type),
                  plain.webViewShouldStartLoad(*browser->webView(), request, c.type))
            << c.url;
    }
    EXPECT_EQ(browser->statistics->objectForKey("plpnc").integerValue(), 1);
    EXPECT_EQ(browser->statistics->objectForKey("plpsnc").integerValue(), 2);

    // A web view of no browser counts nothing.
    auto other = std::make_shared<GADBrowserWebView>(graphics::Rect(0, 0, 10, 10));
    delegate.webViewShouldStartLoad(*other, net::URLRequest(*URL::fromString("http://x.test/")),
                                    web::NavigationType::linkClicked);
    EXPECT_EQ(browser->statistics->objectForKey("plpnc").integerValue(), 1);
}

TEST(GADBrowserViewControllerTest, LandingPageStartOnceAndEndOnEveryLoad) {
    foundation::ManualClock clock;
    PageServer server;
    auto browser = appearedBrowser();
    browser->load(server.url("/one"));
    ASSERT_TRUE(waitForLoad(*browser));
    const foundation::Value start = browser->statistics->objectForKey("tlanding_page_load_start");
    const foundation::Value end = browser->statistics->objectForKey("tlanding_page_load_end");
    ASSERT_FALSE(start.isNull());
    ASSERT_FALSE(end.isNull());

    clock.advance(2);
    browser->load(server.url("/two"));
    ASSERT_TRUE(waitForLoad(*browser));
    EXPECT_EQ(browser->statistics->objectForKey("tlanding_page_load_start"), start);
    EXPECT_EQ(browser->statistics->objectForKey("tlanding_page_load_end").integerValue(),
              end.integerValue() + 2000);
}

TEST(GADBrowserViewControllerTest, ViewInSafariOpensTheCurrentPageAndMarksTheAd) {
    PageServer server;
    auto browser = appearedBrowser();
    browser->load(server.url("/one"));
    ASSERT_TRUE(waitForLoad(*browser));
    ASSERT_TRUE(browser->safariButton()->tap());
    foundation::RunLoop::main().runUntilIdle();  // the system opens it after the slot heard
    EXPECT_EQ(ui::Application::shared().openedURLs(),
              std::vector<std::string>{server.local.url("/one")});
    EXPECT_EQ(browser->statistics->objectForKey("pcbo"), foundation::Value(true));
}

TEST(GADBrowserViewControllerTest, BuiltWhenPresentedAndDoneGivesTheScreenBack) {
    foundation::ManualClock clock;
    auto window = ui::Window::make();
    auto root = std::make_shared<ui::ViewController>();
    window->setRootViewController(root);
    window->makeKeyAndVisible();
    RunLoop::main().runUntilIdle();

    auto browser = std::make_shared<TestBrowser>();
    browser->presentFromViewController(root);
    RunLoop::main().runUntilIdle();
    clock.advance(1);
    RunLoop::main().runUntilIdle();
    ASSERT_TRUE(browser->doneButton());
    EXPECT_EQ(browser->toolbar()->superview(), browser->view());
    EXPECT_TRUE(browser->wasPresentedFromViewController());

    ASSERT_TRUE(browser->doneButton()->tap());
    EXPECT_FALSE(browser->wasPresentedFromViewController());
    RunLoop::main().runUntilIdle();
    clock.advance(1);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST(GADBrowserViewControllerTest, BrowserWebViewTakesOnlyBrowserControllers) {
    auto browser = std::make_shared<TestBrowser>();
    auto webView = std::make_shared<GADBrowserWebView>(graphics::Rect(0, 0, 10, 10));
    webView->setViewController(std::make_shared<ui::ViewController>());
    EXPECT_EQ(webView->viewController(), nullptr);
    webView->setViewController(browser);
    webView->setViewController(std::make_shared<ui::ViewController>());
    EXPECT_EQ(webView->browserViewController(), browser);
    EXPECT_EQ(GADBrowserWebViewDelegate::browserControllerForWebView(*webView), browser);
}

}  // namespace
