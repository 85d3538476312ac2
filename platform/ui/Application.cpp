#include "platform/ui/Application.h"

#include <algorithm>

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/ProcessState.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

namespace ui {

namespace {

std::string schemeOf(const std::string& url) {
    auto colon = url.find(':');
    if (colon == std::string::npos || colon == 0) {
        return {};
    }
    return foundation::lowercase(url.substr(0, colon));
}

void warnControllers(const ViewController::Ptr& controller) {
    if (!controller) {
        return;
    }
    controller->didReceiveMemoryWarning();
    for (const auto& child : controller->childViewControllers()) {
        warnControllers(child);
    }
    if (auto presented = controller->presentedViewController();
        presented && presented->presentingViewController() == controller) {
        warnControllers(presented);
    }
}

}  // namespace

Application& Application::shared() {
    static Application* application = foundation::ProcessState::withReset(new Application());
    return *application;
}

void Application::post(const char* name, const foundation::Value& userInfo) {
    foundation::NotificationCenter::defaultCenter().post(name, this, userInfo);
}

bool Application::launch(const foundation::Value& options) {
    state_ = ApplicationState::inactive;
    bool result = delegate_ ? delegate_->didFinishLaunchingWithOptions(*this, options) : true;
    post(ApplicationDidFinishLaunchingNotification, options);
    becomeActive();
    return result;
}

void Application::becomeActive() {
    if (state_ == ApplicationState::active) {
        return;
    }
    state_ = ApplicationState::active;
    if (delegate_) {
        delegate_->applicationDidBecomeActive(*this);
    }
    post(ApplicationDidBecomeActiveNotification);
}

void Application::resignActive() {
    if (state_ != ApplicationState::active) {
        return;
    }
    if (delegate_) {
        delegate_->applicationWillResignActive(*this);
    }
    post(ApplicationWillResignActiveNotification);
    state_ = ApplicationState::inactive;
}

void Application::enterBackground() {
    resignActive();
    if (state_ == ApplicationState::background) {
        return;
    }
    state_ = ApplicationState::background;
    if (delegate_) {
        delegate_->applicationDidEnterBackground(*this);
    }
    post(ApplicationDidEnterBackgroundNotification);
}

void Application::enterForeground() {
    if (state_ != ApplicationState::background) {
        return;
    }
    if (delegate_) {
        delegate_->applicationWillEnterForeground(*this);
    }
    post(ApplicationWillEnterForegroundNotification);
    state_ = ApplicationState::inactive;
    becomeActive();
}

void Application::terminate() {
    if (delegate_) {
        delegate_->applicationWillTerminate(*this);
    }
    post(ApplicationWillTerminateNotification);
}

void Application::receiveMemoryWarning() {
    if (delegate_) {
        delegate_->applicationDidReceiveMemoryWarning(*this);
    }
    post(ApplicationDidReceiveMemoryWarningNotification);
    for (const auto& window : windows()) {
        warnControllers(window->rootViewController());
    }
}

void Application::registerURLHandler(const std::string& scheme, URLHandler handler) {
    handlers_[foundation::lowercase(scheme)] = std::move(handler);
}

void Application::removeURLHandler(const std::string& scheme) {
    handlers_.erase(foundation::lowercase(scheme));
}

bool Application::canOpenURL(const std::string& url) const {
    auto scheme = schemeOf(url);
    return !scheme.empty() && handlers_.count(scheme) > 0;
}

bool Application::openURL(const std::string& url) {
    opened_.push_back(url);
    auto it = handlers_.find(schemeOf(url));
    if (it == handlers_.end() || !it->second) {
        return false;
    }
    auto handler = it->second;
    return handler(url);
}

void Application::setKeyWindow(const std::shared_ptr<Window>& window) {
    keyWindow_ = window;
    registerWindow(window);
}

void Application::registerWindow(const std::shared_ptr<Window>& window) {
    windows_.erase(
        std::remove_if(windows_.begin(), windows_.end(), [](const auto& w) { return w.expired(); }),
        windows_.end());
    for (const auto& w : windows_) {
        if (w.lock() == window) {
            return;
        }
    }
    windows_.push_back(window);
}

std::vector<std::shared_ptr<Window>> Application::windows() const {
    std::vector<std::shared_ptr<Window>> out;
    for (const auto& w : windows_) {
        if (auto window = w.lock()) {
            out.push_back(window);
        }
    }
    return out;
}

void Application::setStatusBarHidden(bool hidden, StatusBarAnimation) {
    if (hidden == statusBarHidden_) {
        return;
    }
    statusBarHidden_ = hidden;
    post(ApplicationDidChangeStatusBarFrameNotification);
}

void Application::setStatusBarOrientation(InterfaceOrientation orientation, bool) {
    if (orientation == statusBarOrientation_) {
        return;
    }
    statusBarOrientation_ = orientation;
    post(ApplicationDidChangeStatusBarOrientationNotification,
         foundation::Value::dictionary(
             {{"UIApplicationStatusBarOrientationUserInfoKey", static_cast<int>(orientation)}}));
    post(ApplicationDidChangeStatusBarFrameNotification);
}

graphics::Rect Application::statusBarFrame() const {
    if (statusBarHidden_) {
        return {};
    }
    auto screen = Screen::mainScreen().bounds();
    if (isLandscape(statusBarOrientation_)) {
        return graphics::Rect(0, 0, Screen::kStatusBarHeight, screen.size.height);
    }
    return graphics::Rect(0, 0, screen.size.width, Screen::kStatusBarHeight);
}

BackgroundTaskIdentifier Application::beginBackgroundTask(std::function<void()> expirationHandler) {
    auto id = nextTask_++;
    backgroundTasks_[id] = std::move(expirationHandler);
    return id;
}

void Application::endBackgroundTask(BackgroundTaskIdentifier identifier) {
    backgroundTasks_.erase(identifier);
}

void Application::expireBackgroundTasks() {
    auto tasks = backgroundTasks_;
    for (const auto& [id, handler] : tasks) {
        if (handler && backgroundTasks_.count(id)) {
            handler();
        }
    }
}

void Application::reset() {
    delegate_.reset();
    state_ = ApplicationState::inactive;
    handlers_.clear();
    opened_.clear();
    keyWindow_.reset();
    windows_.clear();
    statusBarHidden_ = false;
    statusBarStyle_ = StatusBarStyle::defaultStyle;
    statusBarOrientation_ = InterfaceOrientation::portrait;
    networkActivity_ = false;
    idleTimerDisabled_ = false;
    badge_ = 0;
    backgroundTasks_.clear();
}

}  // namespace ui
