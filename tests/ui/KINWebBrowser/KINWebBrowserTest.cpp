#include <gtest/gtest.h>

#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Window.h"
#include "platform/web/WebClasses.h"
#include "tests/support/LocalServer.h"
#include "ui/ARChromeActivity/ARChromeActivity.h"
#include "ui/KINWebBrowser/KINWebBrowserViewController.h"
#include "ui/TUSafariActivity/TUSafariActivity.h"

using foundation::RunLoop;
using foundation::URL;

namespace {

std::vector<std::string> itemNames(const std::vector<ui::BarButtonItem::Ptr>& items,
                                   const KINWebBrowserViewController& browser) {
    std::vector<std::string> names;
    for (const auto& item : items) {
        names.push_back(item == browser.backButton()      ? "back"
                        : item == browser.forwardButton() ? "forward"
                        : item == browser.refreshButton() ? "refresh"
                        : item == browser.stopButton()    ? "stop"
                        : item == browser.actionButton()  ? "share"
                        : item->systemItem() == ui::BarButtonSystemItem::fixedSpace
                            ? "fixed" + std::to_string(static_cast<int>(item->width()))
                            : "flexible");
    }
    return names;
}

// Both roads: the newer web view when the class is registered, else the classic one.
class KINWebBrowserTest : public testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        web::registerWebClasses();
        if (!GetParam()) {
            foundation::ClassRegistry::shared().unregisterClass("WKWebView");
        }
        auto& s = server.server();
        s.Get("/page", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(
                "<title>Page</title><a id='mail' href='mailto:a@b.c'>m</a>"
                "<a id='upper' href='HTTP://127.0.0.1/x'>u</a>"
                "<a id='blank' target='_blank' href='/other'>o</a>",
                "text/html");
        });
        s.Get("/slow", [](const httplib::Request&, httplib::Response& response) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            response.set_content("<title>Slow</title>", "text/html");
        });
        s.Get("/other", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("<title>Other</title>", "text/html");
        });
        server.start();

        presenter = std::make_shared<ui::ViewController>();
        window = std::make_shared<ui::Window>(graphics::Rect(0, 0, 320, 480));
        window->setRootViewController(presenter);
        window->makeKeyAndVisible();
        navigation = KINWebBrowserViewController::navigationControllerWithWebBrowser();
        presenter->presentViewController(navigation, true);
        browser = KINWebBrowser::rootWebBrowser(*navigation);
        RunLoop::main().runUntilIdle();
    }
    void TearDown() override { web::registerWebClasses(); }

    web::WebView& webView() { return GetParam() ? *browser->wkWebView() : *browser->uiWebView(); }
    void load(const std::string& path) {
        browser->loadURL(*URL::fromString(server.url(path)));
        RunLoop::main().runUntilIdle();
        RunLoop::main().runUntil([&] { return !webView().isLoading(); }, 10);
        RunLoop::main().runUntilIdle();
    }
    std::shared_ptr<ui::AlertView> topAlert() {
        return std::dynamic_pointer_cast<ui::AlertView>(ui::AlertCenter::shared().topAlert());
    }

    testing_support::LocalServer server;
    std::shared_ptr<ui::Window> window;
    std::shared_ptr<ui::ViewController> presenter;
    std::shared_ptr<ui::NavigationController> navigation;
    KINWebBrowserViewController::Ptr browser;
};

TEST_P(KINWebBrowserTest, TakesTheRoadTheRegistrySays) {
    EXPECT_EQ(browser->wkWebView() != nullptr, GetParam());
    EXPECT_EQ(browser->uiWebView() != nullptr, !GetParam());
    EXPECT_EQ(browser->supportedInterfaceOrientations(), 26);
}

TEST_P(KINWebBrowserTest, ToolbarShowsStopWhileLoadingAndThePageTitleWhenIdle) {
    EXPECT_EQ(itemNames(browser->toolbarItems(), *browser),
              (std::vector<std::string>{"back", "fixed50", "forward", "fixed50", "refresh",
                                        "flexible", "share"}));
    EXPECT_FALSE(navigation->isToolbarHidden());

    browser->setShowsURLInNavigationBar(true);
    browser->loadURL(*URL::fromString(server.url("/slow")));
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(itemNames(browser->toolbarItems(), *browser),
              (std::vector<std::string>{"back", "fixed50", "forward", "fixed50", "stop", "flexible",
                                        "share"}));
    if (!GetParam()) {
        // The classic road shows the accepted URL: "http://" and the last character go.
        EXPECT_EQ(browser->navigationItem().title(),
                  "127.0.0.1:" + std::to_string(server.port()) + "/slo");
    }
    RunLoop::main().runUntil([&] { return !webView().isLoading(); }, 10);
    browser->setShowsURLInNavigationBar(false);

    load("/page");
    EXPECT_EQ(browser->navigationItem().title(), "Page");
    browser->setActionButtonHidden(true);
    EXPECT_EQ(
        itemNames(browser->toolbarItems(), *browser),
        (std::vector<std::string>{"back", "fixed50", "forward", "fixed50", "refresh", "flexible"}));
}

TEST_P(KINWebBrowserTest, OutsideSchemesAskToLeaveAndOnlyOpenAppOpens) {
    ui::Application::shared().registerURLHandler("mailto", [](const std::string&) { return true; });
    load("/page");

    webView().tapElement("mail");
    RunLoop::main().runUntilIdle();
    auto alert = topAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Leave this app?");
    EXPECT_EQ(browser->URLToLaunchWithPermission(), "mailto:a@b.c");
    alert->tapButtonTitled("Cancel");
    EXPECT_FALSE(browser->URLToLaunchWithPermission());
    EXPECT_TRUE(ui::Application::shared().openedURLs().empty());

    webView().tapElement("mail");
    RunLoop::main().runUntilIdle();
    topAlert()->tapButtonTitled("Open App");
    EXPECT_EQ(ui::Application::shared().openedURLs(), std::vector<std::string>{"mailto:a@b.c"});
    EXPECT_FALSE(browser->URLToLaunchWithPermission());
    EXPECT_EQ(webView().title(), "Page");
}

TEST_P(KINWebBrowserTest, SchemesAreComparedExactly) {
    EXPECT_TRUE(KINWebBrowserViewController::externalAppRequiredToOpenURL(
        URL::fromString("HTTP://a.test/")));
    EXPECT_TRUE(
        KINWebBrowserViewController::externalAppRequiredToOpenURL(URL::fromString("tel:123")));
    EXPECT_FALSE(KINWebBrowserViewController::externalAppRequiredToOpenURL(
        URL::fromString("https://a.test/")));

    // An outside link nothing can open: the newer road lets it fail in the view,
    // the classic road still asks.
    load("/page");
    webView().tapElement("upper");
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(topAlert() != nullptr, !GetParam());
}

TEST_P(KINWebBrowserTest, NewWindowLinksLoadInTheSameView) {
    load("/page");
    webView().tapElement("blank");
    RunLoop::main().runUntilIdle();
    RunLoop::main().runUntil([&] { return !webView().isLoading(); }, 10);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(webView().title(), "Other");
    browser->backButtonPressed();
    RunLoop::main().runUntil([&] { return webView().title() == "Page"; }, 10);
    EXPECT_EQ(webView().title(), "Page");
}

TEST_P(KINWebBrowserTest, ShareSheetOffersBothBrowsersBeforeCustomActivities) {
    struct Custom : ui::Activity {
        std::string activityType() const override { return "custom"; }
        std::string activityTitle() const override { return "Custom"; }
    };
    browser->setCustomActivityItems({std::make_shared<Custom>()});
    load("/page");
    browser->actionButtonPressed();
    EXPECT_EQ(browser->presentedViewController(), nullptr) << "built on the next turn";
    RunLoop::main().runUntilIdle();
    auto sheet =
        std::dynamic_pointer_cast<ui::ActivityViewController>(browser->presentedViewController());
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->activityItems().size(), 1u);
    EXPECT_EQ(std::get<ui::ActivityURL>(sheet->activityItems()[0]).url, server.url("/page"));
    const auto& activities = sheet->applicationActivities();
    ASSERT_EQ(activities.size(), 3u);
    EXPECT_EQ(activities[0]->activityType(), "TUSafariActivity");
    EXPECT_EQ(activities[1]->activityType(), "ARChromeActivity");
    EXPECT_EQ(activities[2]->activityType(), "custom");
}

TEST_P(KINWebBrowserTest, OnPadTheSheetComesInAPopoverThatASecondTapReplaces) {
    ui::Device::currentDevice().setUserInterfaceIdiom(ui::UserInterfaceIdiom::pad);
    load("/page");
    browser->actionButtonPressed();
    RunLoop::main().runUntilIdle();
    auto first = browser->actionPopoverController();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isPopoverVisible());
    browser->actionButtonPressed();
    RunLoop::main().runUntilIdle();
    EXPECT_NE(browser->actionPopoverController(), first);
    EXPECT_FALSE(first->isPopoverVisible());
}

TEST_P(KINWebBrowserTest, ProgressBarRisesAndFadesOut) {
    foundation::ManualClock clock;
    auto bar = browser->progressView();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->superview(), navigation->navigationBar());
    load("/page");
    EXPECT_EQ(bar->progress(), 1.0);
    clock.advance(0.61);
    EXPECT_EQ(bar->progress(), 0.0);
    EXPECT_EQ(bar->alpha(), 0.0);
    if (!GetParam()) {
        EXPECT_FALSE(browser->fakeProgressTimerRunning());
    }
}

TEST_P(KINWebBrowserTest, DoneDismissesTheWholeNavigationController) {
    struct Delegate : KINWebBrowserDelegate {
        int willDismiss = 0;
        void webBrowserViewControllerWillDismiss(KINWebBrowserViewController&) override {
            ++willDismiss;
        }
    };
    auto delegate = std::make_shared<Delegate>();
    browser->setDelegate(delegate);
    EXPECT_EQ(presenter->presentedViewController(), navigation);
    browser->navigationItem().rightBarButtonItem()->tap();
    RunLoop::main().runFor(0.6);
    EXPECT_EQ(delegate->willDismiss, 1);
    EXPECT_EQ(presenter->presentedViewController(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Roads, KINWebBrowserTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Newer" : "Classic";
                         });

TEST(KINWebBrowserClassicProgress, SimulatedProgressFollowsItsCurve) {
    foundation::ManualClock clock;
    web::registerWebClasses();
    foundation::ClassRegistry::shared().unregisterClass("WKWebView");
    testing_support::LocalServer server;
    server.server().Get("/slow", [](const httplib::Request&, httplib::Response& response) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        response.set_content("<title>Slow</title>", "text/html");
    });
    server.start();
    auto navigation = KINWebBrowserViewController::navigationControllerWithWebBrowser();
    auto browser = KINWebBrowser::rootWebBrowser(*navigation);
    navigation->view();
    browser->view();
    browser->viewWillAppear(false);
    browser->loadURL(*URL::fromString(server.url("/slow")));
    RunLoop::main().runUntilIdle();
    ASSERT_TRUE(browser->fakeProgressTimerRunning());
    EXPECT_EQ(browser->progressView()->progress(), 0.0);
    clock.advance(KINWebBrowserViewController::kFakeProgressInterval * 1.01);
    EXPECT_NEAR(browser->progressView()->progress(), 0.005 / 0.2, 1e-9);
    clock.advance(KINWebBrowserViewController::kFakeProgressInterval * 1.01);
    EXPECT_NEAR(browser->progressView()->progress(), 0.025 + 0.005 / 0.225, 1e-9);
    web::registerWebClasses();
}

}  // namespace
