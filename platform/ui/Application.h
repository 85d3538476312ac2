#pragma once

// The running application: its delegate and state (with the notifications the
// platform posts on every change), its windows and key window, URLs opened
// through a registry of handlers that the host and tests fill, the status bar,
// the idle timer, the network activity indicator and background tasks.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"
#include "platform/graphics/Geometry.h"
#include "platform/ui/ApplicationDelegate.h"
#include "platform/ui/InterfaceOrientation.h"

namespace ui {

class Window;

enum class ApplicationState { active = 0, inactive = 1, background = 2 };
enum class StatusBarStyle { defaultStyle = 0, lightContent = 1, blackOpaque = 2 };
enum class StatusBarAnimation { none = 0, fade = 1, slide = 2 };

inline constexpr const char* ApplicationDidFinishLaunchingNotification =
    "UIApplicationDidFinishLaunchingNotification";
inline constexpr const char* ApplicationDidBecomeActiveNotification =
    "UIApplicationDidBecomeActiveNotification";
inline constexpr const char* ApplicationWillResignActiveNotification =
    "UIApplicationWillResignActiveNotification";
inline constexpr const char* ApplicationDidEnterBackgroundNotification =
    "UIApplicationDidEnterBackgroundNotification";
inline constexpr const char* ApplicationWillEnterForegroundNotification =
    "UIApplicationWillEnterForegroundNotification";
inline constexpr const char* ApplicationWillTerminateNotification =
    "UIApplicationWillTerminateNotification";
inline constexpr const char* ApplicationDidReceiveMemoryWarningNotification =
    "UIApplicationDidReceiveMemoryWarningNotification";
inline constexpr const char* ApplicationDidChangeStatusBarOrientationNotification =
    "UIApplicationDidChangeStatusBarOrientationNotification";
inline constexpr const char* ApplicationDidChangeStatusBarFrameNotification =
    "UIApplicationDidChangeStatusBarFrameNotification";

using BackgroundTaskIdentifier = long;
inline constexpr BackgroundTaskIdentifier BackgroundTaskInvalid = 0;

class Application {
  public:
    // Answers whether the handler opened the URL.
    using URLHandler = std::function<bool(const std::string& url)>;

    static Application& shared();

    const std::shared_ptr<ApplicationDelegate>& delegate() const { return delegate_; }
    void setDelegate(std::shared_ptr<ApplicationDelegate> delegate) {
        delegate_ = std::move(delegate);
    }

    // Life. launch() gives the delegate the launch, posts did-finish-launching
    // and becomes active; the others move between the states as the platform
    // does, telling the delegate and posting each step.
    bool launch(const foundation::Value& options = {});
    ApplicationState applicationState() const { return state_; }
    void becomeActive();
    void resignActive();
    void enterBackground();
    void enterForeground();
    void terminate();
    // Tells the delegate, posts the warning and tells every controller on screen.
    void receiveMemoryWarning();

    // URLs. A handler is registered per scheme (compared without case);
    // canOpenURL answers whether one is, openURL asks it.
    void registerURLHandler(const std::string& scheme, URLHandler handler);
    void removeURLHandler(const std::string& scheme);
    bool canOpenURL(const std::string& url) const;
    bool openURL(const std::string& url);
    // Every URL openURL was asked to open, in order.
    const std::vector<std::string>& openedURLs() const { return opened_; }

    // Windows.
    std::shared_ptr<Window> keyWindow() const { return keyWindow_.lock(); }
    void setKeyWindow(const std::shared_ptr<Window>& window);
    std::vector<std::shared_ptr<Window>> windows() const;
    void registerWindow(const std::shared_ptr<Window>& window);

    // Status bar and indicators.
    bool isStatusBarHidden() const { return statusBarHidden_; }
    void setStatusBarHidden(bool hidden, StatusBarAnimation animation = StatusBarAnimation::none);
    StatusBarStyle statusBarStyle() const { return statusBarStyle_; }
    void setStatusBarStyle(StatusBarStyle style, bool animated = false) { statusBarStyle_ = style; }
    InterfaceOrientation statusBarOrientation() const { return statusBarOrientation_; }
    // Turns the interface: posts the orientation and frame change notices.
    void setStatusBarOrientation(InterfaceOrientation orientation, bool animated = false);
    graphics::Rect statusBarFrame() const;
    bool isNetworkActivityIndicatorVisible() const { return networkActivity_; }
    void setNetworkActivityIndicatorVisible(bool visible) { networkActivity_ = visible; }
    bool isIdleTimerDisabled() const { return idleTimerDisabled_; }
    void setIdleTimerDisabled(bool disabled) { idleTimerDisabled_ = disabled; }
    long applicationIconBadgeNumber() const { return badge_; }
    void setApplicationIconBadgeNumber(long number) { badge_ = number; }

    // Background tasks: identifiers from 1; ending an unknown one does nothing.
    BackgroundTaskIdentifier beginBackgroundTask(std::function<void()> expirationHandler = nullptr);
    void endBackgroundTask(BackgroundTaskIdentifier identifier);
    std::size_t activeBackgroundTaskCount() const { return backgroundTasks_.size(); }
    // Runs the expiration handlers of the tasks still open, as when time runs out.
    void expireBackgroundTasks();

    // A fresh application for the next test: no delegate, windows, handlers
    // or records; inactive; status bar shown.
    void reset();

  private:
    Application() = default;
    void post(const char* name, const foundation::Value& userInfo = {});

    std::shared_ptr<ApplicationDelegate> delegate_;
    ApplicationState state_ = ApplicationState::inactive;
    std::map<std::string, URLHandler> handlers_;
    std::vector<std::string> opened_;
    std::weak_ptr<Window> keyWindow_;
    std::vector<std::weak_ptr<Window>> windows_;
    bool statusBarHidden_ = false;
    StatusBarStyle statusBarStyle_ = StatusBarStyle::defaultStyle;
    InterfaceOrientation statusBarOrientation_ = InterfaceOrientation::portrait;
    bool networkActivity_ = false;
    bool idleTimerDisabled_ = false;
    long badge_ = 0;
    BackgroundTaskIdentifier nextTask_ = 1;
    std::map<BackgroundTaskIdentifier, std::function<void()>> backgroundTasks_;
};

}  // namespace ui
