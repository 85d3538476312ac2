#include <gtest/gtest.h>

#include "ads/foundation/GADActiveViewMonitor.h"
#include "ads/foundation/GADViewUtilities.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/Window.h"

namespace {

struct Recorder : GADActiveViewMonitorDelegate {
    struct Sample {
        graphics::Rect bounds;
        bool visible;
    };
    std::vector<Sample> samples;
    void didRefreshActiveViewMonitor(GADActiveViewMonitor& monitor) override {
        samples.push_back({monitor.monitoredViewVisibleBounds(), monitor.isMonitoredViewVisible()});
    }
};

class GADActiveViewMonitorTest : public testing::Test {
  protected:
    void SetUp() override {
        ui::Application::shared().becomeActive();
        window->makeKeyAndVisible();
    }
    void TearDown() override {
        if (monitor) {
            monitor->stopMonitoring();
            monitor->setDelegate(nullptr);
        }
        foundation::RunLoop::main().runUntilIdle();
    }

    std::shared_ptr<GADActiveViewMonitor> monitorFor(const std::shared_ptr<ui::View>& view,
                                                     foundation::Array intervals = {1}) {
        monitor = GADActiveViewMonitor::make(view, intervals);
        monitor->setDelegate(recorder);
        return monitor;
    }

    ui::Window::Ptr window = ui::Window::make();
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
    std::shared_ptr<GADActiveViewMonitor> monitor;
};

TEST_F(GADActiveViewMonitorTest, NeedsAViewAndASchedule) {
    auto view = std::make_shared<ui::View>(graphics::Rect{0, 0, 10, 10});
    EXPECT_EQ(GADActiveViewMonitor::make(nullptr, foundation::Array{1}), nullptr);
    EXPECT_EQ(GADActiveViewMonitor::make(view, std::nullopt), nullptr);
    EXPECT_NE(GADActiveViewMonitor::make(view, foundation::Array{}), nullptr);
}

TEST_F(GADActiveViewMonitorTest, SamplesWhatIsReallyOnScreen) {
    // The application frame starts below the 20-point status bar.
    auto scroller = std::make_shared<ui::View>(graphics::Rect{0, 100, 320, 100});
    scroller->setClipsToBounds(true);
    auto hiddenBox = std::make_shared<ui::View>(graphics::Rect{0, 300, 320, 100});
    hiddenBox->setHidden(true);
    window->addSubview(scroller);
    window->addSubview(hiddenBox);

    struct Case {
        const char* rule;
        std::shared_ptr<ui::View> parent;
        graphics::Rect frame;
        graphics::Rect bounds;
        bool visible;
    };
    const std::vector<Case> cases = {
        {"fully on screen", window, {10, 50, 300, 50}, {10, 50, 300, 50}, true},
        {"half clipped by its container", scroller, {0, 50, 320, 100}, {0, 150, 320, 50}, true},
        {"clipped away entirely", scroller, {0, 200, 320, 50}, {}, false},
        {"under the status bar only in part", window, {0, 0, 320, 50}, {0, 20, 320, 30}, true},
        {"below the screen", window, {0, 600, 320, 50}, {}, false},
        {"inside a hidden container", hiddenBox, {0, 0, 320, 50}, {0, 300, 320, 50}, false},
        {"not in a window", nullptr, {0, 0, 320, 50}, {}, false},
    };
    for (const auto& c : cases) {
        auto view = std::make_shared<ui::View>(c.frame);
        if (c.parent) {
            c.parent->addSubview(view);
        }
        recorder->samples.clear();
        monitorFor(view)->sample();
        ASSERT_EQ(recorder->samples.size(), 1u) << c.rule;
        EXPECT_EQ(recorder->samples[0].bounds, c.bounds) << c.rule;
        EXPECT_EQ(recorder->samples[0].visible, c.visible) << c.rule;
        view->removeFromSuperview();
    }
}

TEST_F(GADActiveViewMonitorTest, HiddenViewsAndTheBackgroundAreNeverVisible) {
    auto view = std::make_shared<ui::View>(graphics::Rect{0, 100, 320, 50});
    window->addSubview(view);
    monitorFor(view);
    view->setHidden(true);
    monitor->sample();
    view->setHidden(false);
    ui::Application::shared().enterBackground();
    monitor->sample();
    ASSERT_EQ(recorder->samples.size(), 2u);
    for (const auto& sample : recorder->samples) {
        EXPECT_FALSE(sample.visible);
        EXPECT_EQ(sample.bounds, (graphics::Rect{0, 100, 320, 50}));
    }
}

TEST_F(GADActiveViewMonitorTest, FollowsItsScheduleOnTheClock) {
    foundation::ManualClock clock;
    auto view = std::make_shared<ui::View>(graphics::Rect{0, 100, 320, 50});
    window->addSubview(view);
    struct Case {
        foundation::Array intervals;
        double span;
        std::size_t samples;
    };
    const std::vector<Case> cases = {
        {{1, 1, 5}, 1.5, 1}, {{1, 1, 5}, 6.9, 2}, {{1, 1, 5}, 7, 3},
        {{1, 1, 5}, 12, 4},  {{2}, 9, 4},         {{0.5, -1}, 0.4, 0},
        {{0.5, -1}, 60, 2},  {{}, 60, 1},         {{"x", 3}, 60, 1},
    };
    for (const auto& c : cases) {
        recorder->samples.clear();
        monitorFor(view, c.intervals)->startMonitoring();
        clock.advance(c.span);
        EXPECT_EQ(recorder->samples.size(), c.samples) << c.span;
        monitor->stopMonitoring();
    }
}

TEST_F(GADActiveViewMonitorTest, StoppingKeepsThePlaceAndReleasingStops) {
    foundation::ManualClock clock;
    auto view = std::make_shared<ui::View>(graphics::Rect{0, 100, 320, 50});
    window->addSubview(view);
    monitorFor(view, {1, 10})->startMonitoring();
    clock.advance(1);
    monitor->stopMonitoring();
    clock.advance(30);
    EXPECT_EQ(recorder->samples.size(), 1u);
    monitor->startMonitoring();  // continues with 10 s
    clock.advance(9);
    EXPECT_EQ(recorder->samples.size(), 1u);
    clock.advance(1);
    EXPECT_EQ(recorder->samples.size(), 2u);
    monitor->setDelegate(nullptr);
    monitor.reset();
    clock.advance(60);
    EXPECT_EQ(recorder->samples.size(), 2u);
}

TEST_F(GADActiveViewMonitorTest, PositionOfAViewOnTheScreen) {
    const ui::Screen& screen = ui::Screen::mainScreen();
    const double width = screen.applicationFrame().size.width;
    struct Case {
        const char* rule;
        graphics::Rect frame;
        bool visible;
    };
    const std::vector<Case> cases = {
        {"on screen", {10, 20, 100, 50}, true},
        {"right edge exactly at 0", {-100, 20, 100, 50}, false},
        {"left edge exactly at the screen width", {width, 20, 100, 50}, true},
        {"past the screen width", {width + 1, 20, 100, 50}, false},
        {"bottom edge exactly at 0", {0, -50, 100, 50}, false},
    };
    for (const auto& c : cases) {
        auto view = std::make_shared<ui::View>(c.frame);
        window->addSubview(view);
        auto position = GADViewUtilities::positionOfView(view, screen);
        ASSERT_TRUE(position) << c.rule;
        foundation::Value value(*position);
        EXPECT_EQ(value["visible"].boolValue(), c.visible) << c.rule;
        EXPECT_EQ(value["x"].doubleValue(), static_cast<float>(c.frame.origin.x)) << c.rule;
        EXPECT_EQ(value["height"].doubleValue(), 50) << c.rule;
        view->removeFromSuperview();
    }
    auto loose = std::make_shared<ui::View>(graphics::Rect{0, 0, 10, 10});
    EXPECT_FALSE(GADViewUtilities::positionOfView(loose, screen));
    EXPECT_FALSE(GADViewUtilities::positionOfView(nullptr, screen));
}

}  // namespace
