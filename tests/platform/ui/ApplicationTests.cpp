#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Pasteboard.h"
#include "tests/platform/ui/UiTestFixture.h"

namespace {

class Delegate : public ui::ApplicationDelegate {
  public:
    std::vector<std::string>& log;
    explicit Delegate(std::vector<std::string>& l) : log(l) {}
    bool didFinishLaunchingWithOptions(ui::Application&, const foundation::Value&) override {
        log.push_back("launched");
        return true;
    }
    void applicationDidBecomeActive(ui::Application&) override { log.push_back("active"); }
    void applicationWillResignActive(ui::Application&) override { log.push_back("resign"); }
    void applicationDidEnterBackground(ui::Application&) override { log.push_back("background"); }
    void applicationWillEnterForeground(ui::Application&) override { log.push_back("foreground"); }
    void applicationWillTerminate(ui::Application&) override { log.push_back("terminate"); }
};

}  // namespace

using ApplicationTest = UiTest;

TEST_F(ApplicationTest, StateChangesTellTheDelegateAndPostInOrder) {
    std::vector<std::string> log;
    auto& app = ui::Application::shared();
    app.setDelegate(std::make_shared<Delegate>(log));
    auto& center = foundation::NotificationCenter::defaultCenter();
    std::vector<foundation::NotificationCenter::ObserverToken> tokens;
    for (const char* name :
         {ui::ApplicationDidFinishLaunchingNotification, ui::ApplicationDidBecomeActiveNotification,
          ui::ApplicationWillResignActiveNotification,
          ui::ApplicationDidEnterBackgroundNotification,
          ui::ApplicationWillEnterForegroundNotification}) {
        tokens.push_back(
            center.addObserver(name, nullptr, nullptr, [&log](const foundation::Notification& n) {
                log.push_back("posted " + n.name.substr(13));
            }));
    }
    app.launch();
    EXPECT_EQ(app.applicationState(), ui::ApplicationState::active);
    app.enterBackground();
    EXPECT_EQ(app.applicationState(), ui::ApplicationState::background);
    app.enterForeground();
    EXPECT_EQ(log, (std::vector<std::string>{"launched", "posted DidFinishLaunchingNotification",
                                             "active", "posted DidBecomeActiveNotification",
                                             "resign", "posted WillResignActiveNotification",
                                             "background", "posted DidEnterBackgroundNotification",
                                             "foreground", "posted WillEnterForegroundNotification",
                                             "active", "posted DidBecomeActiveNotification"}));
    for (const auto& token : tokens) {
        center.removeObserver(token);
    }
}

TEST_F(ApplicationTest, UrlsOpenThroughRegisteredHandlers) {
    auto& app = ui::Application::shared();
    std::vector<std::string> opened;
    app.registerURLHandler("HTTP", [&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    app.registerURLHandler("tel", [](const std::string&) { return false; });
    EXPECT_TRUE(app.canOpenURL("http://example.com/a"));
    EXPECT_TRUE(app.canOpenURL("Http://example.com/a"));
    EXPECT_FALSE(app.canOpenURL("mailto:a@b.c"));
    EXPECT_FALSE(app.canOpenURL("no scheme"));
    EXPECT_TRUE(app.openURL("http://example.com/a"));
    EXPECT_FALSE(app.openURL("tel:123"));
    EXPECT_FALSE(app.openURL("mailto:a@b.c"));
    EXPECT_EQ(opened, (std::vector<std::string>{"http://example.com/a"}));
    EXPECT_EQ(app.openedURLs().size(), 3u);
}

TEST_F(ApplicationTest, DeviceOrientationIsPostedOnlyWhileAsked) {
    auto& device = ui::Device::currentDevice();
    int posts = 0;
    auto token = foundation::NotificationCenter::defaultCenter().addObserver(
        ui::DeviceOrientationDidChangeNotification, nullptr, nullptr,
        [&](const foundation::Notification&) { ++posts; });
    device.setOrientation(ui::DeviceOrientation::landscapeLeft);
    device.beginGeneratingDeviceOrientationNotifications();
    device.beginGeneratingDeviceOrientationNotifications();
    device.endGeneratingDeviceOrientationNotifications();
    device.setOrientation(ui::DeviceOrientation::faceUp);
    device.setOrientation(ui::DeviceOrientation::faceUp);
    device.endGeneratingDeviceOrientationNotifications();
    device.setOrientation(ui::DeviceOrientation::portrait);
    EXPECT_EQ(posts, 1);
    foundation::NotificationCenter::defaultCenter().removeObserver(token);
}

TEST_F(ApplicationTest, StatusBarAndPasteboard) {
    auto& app = ui::Application::shared();
    EXPECT_EQ(ui::Screen::mainScreen().applicationFrame(), graphics::Rect(0, 20, 320, 548));
    app.setStatusBarHidden(true, ui::StatusBarAnimation::fade);
    EXPECT_EQ(ui::Screen::mainScreen().applicationFrame(), graphics::Rect(0, 0, 320, 568));
    auto task = app.beginBackgroundTask();
    EXPECT_NE(task, ui::BackgroundTaskInvalid);
    app.endBackgroundTask(task);
    EXPECT_EQ(app.activeBackgroundTaskCount(), 0u);

    auto& pasteboard = ui::Pasteboard::generalPasteboard();
    auto count = pasteboard.changeCount();
    pasteboard.setString("Copied");
    EXPECT_EQ(pasteboard.string(), "Copied");
    pasteboard.setURL("http://x.y/");
    EXPECT_EQ(pasteboard.url(), "http://x.y/");
    EXPECT_EQ(pasteboard.changeCount(), count + 2);
}
