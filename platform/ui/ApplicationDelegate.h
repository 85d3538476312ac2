#pragma once

// What the application tells its delegate: launch, the state changes, memory
// warnings, termination and URLs handed to it.

#include <string>

#include "platform/foundation/Value.h"

namespace ui {

class Application;

class ApplicationDelegate {
  public:
    virtual ~ApplicationDelegate() = default;

    virtual bool didFinishLaunchingWithOptions(Application& application,
                                               const foundation::Value& options) {
        return true;
    }
    virtual void applicationDidBecomeActive(Application& application) {}
    virtual void applicationWillResignActive(Application& application) {}
    virtual void applicationDidEnterBackground(Application& application) {}
    virtual void applicationWillEnterForeground(Application& application) {}
    virtual void applicationWillTerminate(Application& application) {}
    virtual void applicationDidReceiveMemoryWarning(Application& application) {}
    // application:openURL:sourceApplication:annotation: ; answers whether it
    // took the URL.
    virtual bool openURL(Application& application, const std::string& url,
                         const std::string& sourceApplication) {
        return false;
    }
};

}  // namespace ui
