#pragma once

// What a slot's viewability reports need of the SDK-core page lent to them:
// the ad web view the page runs in (its active-view fields carry the page's
// answers) and a way to run commands in the page, held until it has loaded
// and then run in order. Main thread.

#include <memory>
#include <string>

class GADWebView;

class GADActiveViewSDKCoreWebView {
  public:
    virtual ~GADActiveViewSDKCoreWebView() = default;
    virtual std::shared_ptr<GADWebView> activeViewWebView() const = 0;
    virtual void executeJavaScriptCommand(const std::string& command) = 0;
};
