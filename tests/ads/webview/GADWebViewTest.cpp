#include <gtest/gtest.h>

#include <mutex>

#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewCacheSet.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/UserDefaults.h"
#include "platform/ui/AlertCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/Pasteboard.h"
#include "platform/ui/TouchSimulator.h"
#include "platform/ui/Window.h"
#include "tests/support/LocalServer.h"

using foundation::RunLoop;

namespace {

constexpr const char* kCapacityKey = "gad_web_view_cache_max_capacity";

class GADWebViewTest : public testing::Test {
  protected:
    void TearDown() override {
        foundation::UserDefaults::standard().removeObjectForKey(kCapacityKey);
        RunLoop::main().runUntilIdle();
    }

    static bool loadPage(GADWebView& view, const std::string& html) {
        view.loadHTMLString(html, foundation::URL::fromString("http://ads.test/ad"));
        RunLoop::main().runUntilIdle();
        return RunLoop::main().runUntil([&] { return !view.isLoading(); }, 10);
    }
};

TEST_F(GADWebViewTest, PoolCapacityComesFromTheUserDefault) {
    struct Case {
        std::optional<long> stored;
        int capacity;
    };
    const std::vector<Case> cases = {{9, 9}, {10, 4}, {-1, 4}, {0, 0}, {std::nullopt, 4}};
    for (const auto& c : cases) {
        auto& defaults = foundation::UserDefaults::standard();
        if (c.stored) {
            defaults.setInteger(kCapacityKey, *c.stored);
        } else {
            defaults.removeObjectForKey(kCapacityKey);
        }
        EXPECT_EQ(GADWebViewCacheSet::capacityFromUserDefaults(), c.capacity)
            << c.stored.value_or(99);
    }
}

TEST_F(GADWebViewTest, PoolKeepsClearedBlankViewsUpToItsCapacity) {
    struct Case {
        int capacity;
        int offered;
        std::size_t pooled;
    };
    const std::vector<Case> cases = {
        {9, 4, 3},  // at most three are cleared at a time: the fourth is dropped
        {2, 3, 2},  // no more than the capacity
        {0, 1, 0},  // a pool of capacity 0 keeps nothing
    };
    for (const auto& c : cases) {
        auto pool = GADWebViewCacheSet::make(c.capacity);
        for (int i = 0; i < c.offered; ++i) {
            auto offered = std::make_shared<web::WebView>();
            offered->loadHTMLString("<p>old ad</p>", std::nullopt);
            pool->addObject(offered);
        }
        RunLoop::main().runUntilIdle();
        ASSERT_TRUE(RunLoop::main().runUntil([&] { return pool->clearingCount() == 0; }, 10));
        EXPECT_EQ(pool->count(), c.pooled) << c.capacity;
    }
    auto pool = GADWebViewCacheSet::make(2);
    pool->addObject(std::make_shared<web::WebView>());
    RunLoop::main().runUntilIdle();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return pool->count() == 1; }, 10));
    // The pool is the bounded cache set of web views: taking goes through it.
    GADCacheSet<web::WebView>& set = *pool;
    auto taken = set.anyObject();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->URL()->absoluteString(), "about:blank");
    EXPECT_EQ(taken->stringByEvaluatingJavaScriptFromString("document.body.innerHTML"), "");
    EXPECT_EQ(taken->delegate(), nullptr);
    EXPECT_EQ(pool->count(), 0u);

    // A memory warning empties the pool.
    pool->addObject(taken);
    RunLoop::main().runUntilIdle();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return pool->count() == 1; }, 10));
    foundation::NotificationCenter::defaultCenter().post(
        ui::ApplicationDidReceiveMemoryWarningNotification);
    EXPECT_EQ(pool->count(), 0u);
}

TEST_F(GADWebViewTest, AdViewsReuseTheWebViewsOfViewsThatAreGone) {
    auto first = std::make_shared<GADWebView>(graphics::Rect{0, 0, 320, 50});
    std::weak_ptr<web::WebView> platformView = first->webView();
    ASSERT_TRUE(loadPage(*first, "<p>an ad</p>"));
    first.reset();
    ASSERT_TRUE(
        RunLoop::main().runUntil([&] { return GADWebView::webViewCache()->count() > 0; }, 10));
    auto second = std::make_shared<GADWebView>(graphics::Rect{0, 0, 300, 250});
    EXPECT_EQ(second->webView(), platformView.lock());
    EXPECT_EQ(second->webView()->frame(), (graphics::Rect{0, 0, 300, 250}));
    EXPECT_EQ(second->webView()->stringByEvaluatingJavaScriptFromString("document.body.innerHTML"),
              "");
}

TEST_F(GADWebViewTest, PageOrientationIsInjectedOncePerChange) {
    auto view = std::make_shared<GADWebView>(graphics::Rect{0, 0, 320, 50});
    const std::string page =
        "<script>var changes = 0;"
        "window.addEventListener('orientationchange', function () { changes++; });</script>";
    ASSERT_TRUE(loadPage(*view, page));
    auto state = [&] {
        return view->stringByEvaluatingJavaScriptFromString(
            "String(window.orientation) + ' ' + changes");
    };
    struct Step {
        int orientation;
        bool dispatch;
        const char* expected;
    };
    const std::vector<Step> steps = {
        {3, true, "90 1"},    // landscape right, event fired
        {3, true, "90 1"},    // the same again: nothing
        {5, true, "90 1"},    // out of range: nothing
        {0, true, "90 1"},    // out of range: nothing
        {4, false, "-90 1"},  // rotation without the event
        {2, true, "180 2"},  {1, true, "0 3"},
    };
    for (const auto& step : steps) {
        view->setHTMLWindowOrientation(step.orientation, step.dispatch);
        EXPECT_EQ(state(), step.expected) << step.orientation;
    }
    // A new page in the same view gets nothing for the stored orientation.
    ASSERT_TRUE(loadPage(*view, page));
    view->forceRotateToOrientation(1);
    EXPECT_EQ(state(), "undefined 0");
}

TEST_F(GADWebViewTest, OnlyAFingerOnTheViewMarksItTouched) {
    auto window = ui::Window::make();
    auto view = std::make_shared<GADWebView>(graphics::Rect{0, 100, 320, 50});
    window->addSubview(view);
    window->makeKeyAndVisible();
    ui::TouchSimulator::tap(window, {160, 300});
    EXPECT_FALSE(view->touched());
    EXPECT_FALSE(view->hitTest({10, 10}, nullptr) == nullptr);
    EXPECT_FALSE(view->touched());  // a hit test without a touch event
    ui::TouchSimulator::tap(window, {160, 120});
    EXPECT_TRUE(view->touched());
}

TEST_F(GADWebViewTest, ExpandStateIsSavedAndRestored) {
    auto parent = std::make_shared<ui::View>(graphics::Rect{0, 0, 320, 480});
    auto expanded = std::make_shared<ui::View>(graphics::Rect{0, 0, 320, 480});
    auto view = std::make_shared<GADWebView>(graphics::Rect{0, 430, 320, 50});
    parent->addSubview(view);
    view->restoreState();  // nothing saved: nothing happens
    EXPECT_EQ(view->superview(), parent);

    view->saveState();
    expanded->addSubview(view);
    view->setFrame({0, 0, 320, 480});
    EXPECT_EQ(view->webView()->frame(), (graphics::Rect{0, 0, 320, 480}));
    view->restoreState();
    EXPECT_EQ(view->superview(), parent);
    EXPECT_EQ(view->frame(), (graphics::Rect{0, 430, 320, 50}));
    EXPECT_EQ(view->webView()->frame(), (graphics::Rect{0, 0, 320, 50}));
    EXPECT_FALSE(view->savedState());
}

TEST_F(GADWebViewTest, SdkEventsReachOnlyALoadedPage) {
    auto view = std::make_shared<GADWebView>(graphics::Rect{0, 0, 320, 50});
    auto delegate = std::make_shared<GADWebViewDelegate>();
    view->setDelegate(delegate);
    const std::string page =
        "<script>var got = []; function VIRA_ReceiveMessage(name, info) {"
        "got.push(name + ' ' + info.version + ' ' + (info.device.length > 0)); }</script>";
    auto events = [&] {
        RunLoop::main().runUntilIdle();
        return view->stringByEvaluatingJavaScriptFromString("got.join('|')");
    };
    ASSERT_TRUE(loadPage(*view, page));
    view->notifyOfSdkEvent("onshow");
    EXPECT_EQ(events(), "onshow vira-sdk-i-v6.12.2 true");
    // While a new page loads, events are dropped, not kept for it.
    view->loadHTMLString(page, foundation::URL::fromString("http://ads.test/ad"));
    view->notifyOfSdkEvent("expanding");
    RunLoop::main().runUntilIdle();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !view->isLoading(); }, 10));
    EXPECT_EQ(events(), "");
}

TEST_F(GADWebViewTest, AZigZagOpensTheDebugDialog) {
    std::mutex mutex;
    std::vector<std::string> reports;
    auto reported = [&] {
        std::lock_guard lock(mutex);
        return reports.size();
    };
    testing_support::LocalServer server;
    server.server().Post("/report", [&](const httplib::Request& request, httplib::Response&) {
        std::lock_guard lock(mutex);
        reports.push_back(request.body);
    });
    server.start();
    foundation::UserDefaults::standard().setObject("bad_ad_report_path", server.url("/report"));
    auto window = ui::Window::make();
    auto view = std::make_shared<GADWebView>(graphics::Rect{0, 100, 320, 50});
    auto delegate = std::make_shared<GADWebViewDelegate>();
    view->setDelegate(delegate);
    window->addSubview(view);
    window->makeKeyAndVisible();
    auto zigZag = [&] {
        ui::TouchSimulator finger(window);
        finger.begin({{100, 120}});
        for (graphics::Point p : {graphics::Point{120, 120}, {100, 120}, {120, 120}, {119, 120}}) {
            finger.move({p});
        }
        finger.end();
        return ui::AlertCenter::shared().topAlert();
    };
    struct Case {
        std::optional<std::string> debugText;
        std::vector<std::string> buttons;
        const char* message;
    };
    const std::vector<Case> cases = {
        {std::nullopt, {"OK", "Publisher Toolbar"}, "Creative information is not available"},
        {"creative 42", {"OK", "Publisher Toolbar", "Copy", "Report"}, "creative 42"},
    };
    for (const auto& c : cases) {
        view->setAdDebugDialog(c.debugText);
        auto alert = zigZag();
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert->title(), "Debug Creative Info");
        EXPECT_EQ(alert->message(), c.message);
        EXPECT_EQ(alert->buttonTitles(), c.buttons);
        if (c.debugText) {
            alert->tapButtonTitled("Copy");
            EXPECT_EQ(ui::Pasteboard::generalPasteboard().string(), c.debugText);
            // "Report" sends the text as a bad-ad report.
            RunLoop::main().runUntil([] { return !ui::AlertCenter::shared().topAlert(); }, 5);
            zigZag()->tapButtonTitled("Report");
            ASSERT_TRUE(RunLoop::main().runUntil([&] { return reported() == 1; }, 10));
            EXPECT_EQ(reports[0], R"({"debugHeader":"creative 42"})");
        } else {
            // The toolbar request goes through the delegate's policy.
            foundation::LogCapture log;
            alert->tapButtonTitled("Publisher Toolbar");
            EXPECT_TRUE(log.contains("Publisher toolbar"));
        }
        RunLoop::main().runUntil([] { return !ui::AlertCenter::shared().topAlert(); }, 5);
    }
    view->setShowDebug(false);
    EXPECT_FALSE(zigZag());
    foundation::UserDefaults::standard().removeObjectForKey("bad_ad_report_path");
}

}  // namespace
