#pragma once

// The component's own screens as an opener needs them: whether a controller
// is a full-screen ad screen and its state, and the screens an action opens
// (in-app browser, web apps, the publisher toolbar) and the purchases it
// hands on. The presentation subsystem installs the one implementation with
// GADOpener::setScreens; without one, every controller counts as the
// application's own and no screen is made. Main thread.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/URL.h"

namespace ui {
class ViewController;
}

class GADInAppPurchase;
class GADOpener;
class GADWebView;

class GADOpenerScreens {
  public:
    virtual ~GADOpenerScreens() = default;

    // The controller is one of the component's full-screen ad screens.
    virtual bool isFullScreenAdController(const ui::ViewController& controller) const = 0;
    // A full-screen ad screen that has appeared.
    virtual bool hasAppeared(const ui::ViewController& controller) const = 0;
    // A full-screen ad screen gives the screen back.
    virtual void relinquishScreen(ui::ViewController& controller) = 0;
    // Shows a full-screen ad screen made here over the controller.
    virtual void presentFromViewController(const std::shared_ptr<ui::ViewController>& screen,
                                           const std::shared_ptr<ui::ViewController>& from) = 0;

    // A purchase of this many may be offered.
    virtual bool inAppPurchaseQuantityIsValid(std::int64_t quantity) const = 0;
    virtual std::shared_ptr<GADInAppPurchase> makeInAppPurchase(
        const std::string& productID, std::int64_t quantity,
        const std::vector<std::string>& reportingURLStringFormats) = 0;
    // The in-app browser with the orientations and the opener's slot,
    // loading the URL with the opener's referring URL.
    virtual std::shared_ptr<ui::ViewController> makeBrowser(GADOpener& opener,
                                                            const foundation::URL& url,
                                                            std::int64_t orientations) = 0;
    // A web-app screen over the web view (none: a web view of its own) with
    // the orientations, the opener's slot and the custom-close flag; nullptr
    // while web apps cannot be shown.
    virtual std::shared_ptr<ui::ViewController> overlayWithWebView(
        GADOpener& opener, const std::shared_ptr<GADWebView>& webView, std::int64_t orientations,
        bool usingCustomClose) = 0;
    virtual void loadWebApp(ui::ViewController& webApp, const foundation::URL& url) = 0;
    virtual void loadWebAppHTML(ui::ViewController& webApp, const std::string& html) = 0;
    // The publisher toolbar over the ad's HTML; nullptr while it cannot be shown.
    virtual std::shared_ptr<ui::ViewController> makePublisherToolbar(
        const std::string& adContent, const std::optional<std::string>& adUnitID) = 0;
};
