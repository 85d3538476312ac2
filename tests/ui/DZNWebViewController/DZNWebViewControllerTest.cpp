#include <gtest/gtest.h>

#include <fstream>

#include "platform/foundation/ApplicationHome.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/TableViewController.h"
#include "platform/ui/TouchSimulator.h"
#include "platform/ui/Window.h"
#include "tests/support/LocalServer.h"
#include "ui/DZNWebViewController/DZNPolyActivity.h"
#include "ui/DZNWebViewController/DZNWebViewController.h"

using foundation::RunLoop;
using foundation::URL;

namespace {

// A browser in a navigation controller presented in a window, over pages
// served on the loopback interface.
class DZNWebViewControllerTest : public testing::Test {
  protected:
    void SetUp() override {
        ui::Application::shared().reset();
        ui::AlertCenter::shared().reset();
        auto& s = server.server();
        for (const char* name : {"one", "two", "three"}) {
            s.Get(std::string("/") + name,
                  [name](const httplib::Request&, httplib::Response& response) {
                      response.set_content(
                          std::string("<title>Page ") + name +
                              "</title><a id='blank' target='_blank' href='/three'>new</a>",
                          "text/html");
                  });
        }
        s.Get("/word", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("<title>Home</title>", "text/html");
        });
        server.start();
        window = std::make_shared<ui::Window>(graphics::Rect(0, 0, 320, 480));
        presenter = std::make_shared<ui::ViewController>();
        window->setRootViewController(presenter);
        window->makeKeyAndVisible();
    }
    void TearDown() override {
        ui::Application::shared().reset();
        ui::AlertCenter::shared().reset();
        ui::Device::currentDevice().setUserInterfaceIdiom(ui::UserInterfaceIdiom::phone);
    }

    void present(const DZNWebViewController::Ptr& controller) {
        browser = controller;
        navigation = ui::NavigationController::withRootViewController(browser);
        presenter->presentViewController(navigation, false);
        RunLoop::main().runUntilIdle();
    }
    void settle() {
        RunLoop::main().runUntilIdle();
        RunLoop::main().runUntil([&] { return !browser->webView()->isLoading(); }, 10);
        RunLoop::main().runUntilIdle();
    }
    void load(const std::string& path) {
        browser->loadURL(*URL::fromString(server.url(path)));
        settle();
    }
    std::vector<std::string> itemNames() {
        std::vector<std::string> names;
        for (const auto& item : browser->toolbarItems()) {
            names.push_back(item == browser->backwardBarItem()  ? "back"
                            : item == browser->forwardBarItem() ? "forward"
                            : item == browser->stateBarItem()   ? "state"
                            : item == browser->actionBarItem()  ? "share"
                                                                : "space");
        }
        return names;
    }

    testing_support::LocalServer server;
    std::shared_ptr<ui::Window> window;
    std::shared_ptr<ui::ViewController> presenter;
    std::shared_ptr<ui::NavigationController> navigation;
    DZNWebViewController::Ptr browser;
};

TEST_F(DZNWebViewControllerTest, ToolItemsFollowTheToolAndActionBits) {
    struct Case {
        unsigned tools;
        unsigned actions;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {1, 0, {"back"}},
        {4, 0, {"space", "state"}},
        {1, 2, {"back", "space", "share"}},
        {2 | 4, 64, {"space", "forward", "space", "state", "space", "share"}},
        {DZNWebViewController::kNavigationToolAll,
         DZNWebViewController::kWebActionAll,
         {"back", "space", "forward", "space", "state", "space", "share"}},
    };
    for (const auto& c : cases) {
        auto controller = DZNWebViewController::make();
        controller->setSupportedWebNavigationTools(c.tools);
        controller->setSupportedWebActions(c.actions);
        present(controller);
        EXPECT_EQ(itemNames(), c.names) << c.tools << "/" << c.actions;
        EXPECT_FALSE(navigation->isToolbarHidden());
        presenter->dismissViewController(false);
        RunLoop::main().runUntilIdle();
    }

    // On a pad the tools go to the right of the navigation bar, last first.
    ui::Device::currentDevice().setUserInterfaceIdiom(ui::UserInterfaceIdiom::pad);
    present(DZNWebViewController::make());
    const auto& right = browser->navigationItem().rightBarButtonItems();
    ASSERT_EQ(right.size(), 7u);
    EXPECT_EQ(right.front(), browser->actionBarItem());
    EXPECT_EQ(right.back(), browser->backwardBarItem());
    EXPECT_TRUE(browser->toolbarItems().empty());
}

TEST_F(DZNWebViewControllerTest, LoadsItsURLOnAppearingAndShowsTitleProgressAndTools) {
    present(DZNWebViewController::makeWithURL(*URL::fromString(server.url("/one"))));
    EXPECT_TRUE(browser->webView()->isLoading());
    EXPECT_EQ(browser->stateBarItem()->accessibilityLabel(), "Stop");
    EXPECT_TRUE(ui::Application::shared().isNetworkActivityIndicatorVisible());
    settle();

    auto title = std::dynamic_pointer_cast<ui::Label>(browser->navigationItem().titleView());
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->numberOfLines(), 2);
    EXPECT_EQ(title->text(), "Page one\n" + server.url("/one"));
    const auto& runs = title->attributedText()->runs;
    EXPECT_EQ(runs.at(0).attributes.font, ui::Font::boldSystemFontOfSize(12));
    EXPECT_EQ(runs.at(1).attributes.font, ui::Font::boldSystemFontOfSize(10));
    EXPECT_EQ(title->frame().size.height, navigation->navigationBar()->frame().size.height);

    // The bar showed, then faded at 1 and was reset.
    auto progress = browser->progressView();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->superview(), navigation->navigationBar());
    EXPECT_EQ(progress->frame(), graphics::Rect(0, 42, 320, 2));
    EXPECT_EQ(progress->alpha(), 0);
    RunLoop::main().runUntil([&] { return progress->progress() == 0; }, 5);
    EXPECT_EQ(progress->progress(), 0);

    EXPECT_EQ(browser->stateBarItem()->accessibilityLabel(), "Reload");
    EXPECT_EQ(browser->stateBarItem()->image(), browser->reloadButtonImage());
    EXPECT_NE(browser->reloadButtonImage(), nullptr);
    EXPECT_TRUE(browser->actionBarItem()->isEnabled());
    EXPECT_FALSE(browser->backwardBarItem()->isEnabled());
    EXPECT_FALSE(ui::Application::shared().isNetworkActivityIndicatorVisible());

    load("/two");
    EXPECT_TRUE(browser->backwardBarItem()->isEnabled());
    browser->backwardBarItem()->tap();
    settle();
    EXPECT_EQ(browser->webView()->title(), "Page one");
    EXPECT_TRUE(browser->forwardBarItem()->isEnabled());
}

TEST_F(DZNWebViewControllerTest, ProgressBarFadesInOnceAndCanBeSwitchedOff) {
    present(DZNWebViewController::make());
    auto& web = *browser->webView();
    browser->webViewDidUpdateProgress(web, 0.3);
    auto bar = browser->progressView();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->alpha(), 1);
    EXPECT_EQ(bar->progress(), 0.3);
    browser->webViewDidUpdateProgress(web, 1);
    EXPECT_EQ(bar->alpha(), 0);
    RunLoop::main().runUntil([&] { return bar->progress() == 0; }, 5);
    EXPECT_EQ(bar->progress(), 0);

    browser->setShowLoadingProgress(false);
    browser->webViewDidUpdateProgress(web, 0.5);
    EXPECT_EQ(browser->progressView(), nullptr);
    EXPECT_EQ(bar->superview(), nullptr);
    load("/one");
    EXPECT_EQ(browser->progressView(), nullptr);
}

TEST_F(DZNWebViewControllerTest, OnlyRealFailuresAlertAndClearTheTitle) {
    present(DZNWebViewController::make());
    load("/one");
    auto& web = *browser->webView();
    auto title = std::dynamic_pointer_cast<ui::Label>(browser->navigationItem().titleView());

    browser->didFailProvisionalNavigation(web, net::URLError::make(net::URLErrorCode::cancelled));
    EXPECT_EQ(ui::AlertCenter::shared().topAlert(), nullptr);
    EXPECT_EQ(title->text(), "Page one\n" + server.url("/one"));
    browser->didFailNavigation(web, net::URLError::make(net::URLErrorCode::unknown));
    EXPECT_EQ(ui::AlertCenter::shared().topAlert(), nullptr);
    EXPECT_EQ(title->text(), "");

    testing_support::LocalServer closed;
    closed.start();
    const auto unreachable = closed.url("/gone");
    closed.stop();
    ui::Application::shared().setNetworkActivityIndicatorVisible(true);
    browser->loadURL(*URL::fromString(unreachable));
    settle();
    auto alert = ui::AlertCenter::shared().topAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Error");
    EXPECT_FALSE(alert->message().empty());
    EXPECT_EQ(alert->buttonTitles(), std::vector<std::string>{"OK"});
    EXPECT_FALSE(ui::Application::shared().isNetworkActivityIndicatorVisible());
}

TEST_F(DZNWebViewControllerTest, ShareSheetCarriesTheBrowsersActivities) {
    present(DZNWebViewController::make());
    browser->presentActivityController();
    EXPECT_EQ(browser->presentedViewController(), nullptr) << "no page, no sheet";
    load("/one");
    browser->actionBarItem()->tap();
    auto sheet =
        std::dynamic_pointer_cast<ui::ActivityViewController>(browser->presentedViewController());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->subject(), "Page one");
    ASSERT_EQ(sheet->activityItems().size(), 2u);
    EXPECT_EQ(std::get<std::string>(sheet->activityItems()[1]), server.url("/one"));

    auto types = [](const std::vector<std::shared_ptr<ui::Activity>>& activities) {
        std::vector<unsigned> out;
        for (const auto& activity : activities) {
            out.push_back(std::static_pointer_cast<DZNPolyActivity>(activity)->type());
        }
        return out;
    };
    const ui::ActivityItem link = std::string("https://shop.test/");
    const ui::ActivityItem picture = graphics::Image::Ptr();
    EXPECT_EQ(types(browser->applicationActivitiesForItem(link)),
              (std::vector<unsigned>{0, 1, 2, 3, 4}));
    EXPECT_EQ(browser->excludedActivityTypesForItem(link).size(), 5u);
    EXPECT_TRUE(browser->applicationActivitiesForItem(picture).empty());

    browser->setSupportedWebActions(DZNWebViewController::kWebActionCopyLink |
                                    DZNWebViewController::kWebActionOpenChrome);
    EXPECT_EQ(types(browser->applicationActivitiesForItem(link)), (std::vector<unsigned>{0, 2}));
    const auto excluded = browser->excludedActivityTypesForItem(link);
    EXPECT_EQ(excluded.size(), 12u);
    EXPECT_NE(std::find(excluded.begin(), excluded.end(), ui::ActivityTypeAirDrop), excluded.end());
    EXPECT_EQ(
        browser->excludedActivityTypesForItem(picture),
        (std::vector<std::string>{ui::ActivityTypeMail, ui::ActivityTypeMessage,
                                  ui::ActivityTypePostToFacebook, ui::ActivityTypePostToTwitter,
                                  ui::ActivityTypePostToWeibo, ui::ActivityTypePostToTencentWeibo,
                                  ui::ActivityTypeAirDrop, ui::ActivityTypeAddToReadingList}));
}

TEST_F(DZNWebViewControllerTest, ShareActivitiesActOnThePageAddressWhateverItsTitle) {
    ui::Application::shared().registerURLHandler("http", [](const std::string&) { return true; });
    present(DZNWebViewController::make());
    // A one-word title reads as a relative URL and comes first among the items.
    load("/word");
    browser->actionBarItem()->tap();
    auto sheet =
        std::dynamic_pointer_cast<ui::ActivityViewController>(browser->presentedViewController());
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(std::get<std::string>(sheet->activityItems().front()), "Home");
    const auto offered = sheet->availableActivityTypes();
    const auto safari = DZNPolyActivity(DZNPolyActivity::openInSafari).activityType();
    EXPECT_NE(std::find(offered.begin(), offered.end(), safari), offered.end());
    ASSERT_TRUE(sheet->chooseActivity(DZNPolyActivity(DZNPolyActivity::copyLink).activityType()));
    EXPECT_EQ(ui::Pasteboard::generalPasteboard().url(), server.url("/word"));
}

TEST_F(DZNWebViewControllerTest, LongPressOnBackwardListsTheHistoryAndGoesThere) {
    present(DZNWebViewController::make());
    load("/one");
    auto back = browser->backwardBarItem()->view();
    back->setFrame({0, 436, 44, 44});
    window->addSubview(back);
    auto longPress = [&] {
        foundation::ManualClock clock;
        ui::TouchSimulator finger(window);
        finger.begin({{20, 450}});
        clock.advance(0.6);
        finger.end();
        // Let a presentation finish before the clock goes.
        clock.advance(1);
    };
    longPress();
    EXPECT_EQ(browser->presentedViewController(), nullptr) << "empty back list";

    load("/two");
    load("/three");
    longPress();
    auto history =
        std::dynamic_pointer_cast<ui::NavigationController>(browser->presentedViewController());
    ASSERT_NE(history, nullptr);
    auto list = std::dynamic_pointer_cast<ui::TableViewController>(history->topViewController());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->title(), "History");
    auto table = list->tableView();
    table->reloadData();
    ASSERT_EQ(table->numberOfRowsInSection(0), 2);
    auto cell = table->cellForRowAtIndexPath({0, 0});
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->textLabel()->text(), "Page one");
    EXPECT_EQ(cell->detailTextLabel()->text(), server.url("/one"));

    table->tapRowAtIndexPath({0, 0});
    settle();
    RunLoop::main().runUntil([&] { return browser->presentedViewController() == nullptr; }, 5);
    EXPECT_EQ(browser->presentedViewController(), nullptr);
    EXPECT_EQ(browser->webView()->title(), "Page one");
    EXPECT_EQ(browser->webView()->backForwardList().forwardList().size(), 2u);
}

TEST_F(DZNWebViewControllerTest, FilePagesLoadInUTF8OrLatin1) {
    present(DZNWebViewController::make());
    const std::string folder = foundation::ApplicationHome::documents();
    const struct {
        const char* name;
        std::string bytes;
    } pages[] = {{"utf8.html", "<title>Caf\xC3\xA9 UTF-8</title>"},
                 {"latin1.html", "<title>Caf\xE9 Latin-1</title>"}};
    for (const auto& page : pages) {
        std::ofstream(folder + "/" + page.name, std::ios::binary) << page.bytes;
    }
    browser->loadURL(URL::fileURL(folder + "/utf8.html"));
    settle();
    EXPECT_EQ(browser->webView()->title(), "Caf\xC3\xA9 UTF-8");
    browser->setURL(URL::fileURL(folder + "/latin1.html"));
    settle();
    EXPECT_EQ(browser->webView()->title(), "Caf\xC3\xA9 Latin-1");
}

TEST_F(DZNWebViewControllerTest, NewWindowLinksOpenInTheSameBrowser) {
    present(DZNWebViewController::make());
    load("/one");
    browser->webView()->tapElement("blank");
    settle();
    EXPECT_EQ(browser->webView()->title(), "Page three");
    EXPECT_EQ(presenter->presentedViewController(), navigation);
}

TEST_F(DZNWebViewControllerTest, NavigationBarIsKeptInReachWhileBarsHideOnSwipe) {
    present(DZNWebViewController::make());
    EXPECT_TRUE(navigation->hidesBarsOnSwipe());
    auto bar = navigation->navigationBar();
    auto first = std::make_shared<ui::View>();
    auto second = std::make_shared<ui::View>();
    bar->addSubview(first);
    bar->addSubview(second);

    bar->setCenter({160, -30});
    EXPECT_EQ(bar->center(), graphics::Point(160, -2));
    EXPECT_EQ(first->alpha(), 1);
    EXPECT_EQ(second->alpha(), 0);
    bar->setHidden(true);
    EXPECT_FALSE(bar->isHidden());

    ui::Application::shared().setStatusBarOrientation(ui::InterfaceOrientation::landscapeLeft);
    bar->setCenter({160, -30});
    EXPECT_EQ(bar->center(), graphics::Point(160, -30));
}

}  // namespace
