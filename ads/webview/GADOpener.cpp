#include "ads/webview/GADOpener.h"

#include "ads/foundation/GADApplication.h"
#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADOpenerDelegate.h"
#include "ads/webview/GADOpenerScreens.h"
#include "ads/webview/GADOpenerSlot.h"
#include "ads/webview/GADSDKCoreController.h"
#include "ads/webview/GADSDKCoreWebView.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/OperationQueue.h"
#include "platform/foundation/ProcessState.h"
#include "platform/ui/Application.h"
#include "platform/ui/ViewController.h"

namespace {

struct Hooks {
    std::shared_ptr<GADOpenerScreens> screens;
    GADOpener::BlockedNavigationPage blockedNavigationPage;
};

Hooks& hooks() {
    static auto* const shared =
        foundation::ProcessState::withReset(new Hooks(), [](Hooks& h) { h = Hooks(); });
    return *shared;
}

// The shared SDK-core page's web view.
std::shared_ptr<GADWebView> sdkCorePage() {
    const auto page = GADSDKCoreController::sharedInstance()->activeSDKCoreWebView();
    return page ? page->webView() : nullptr;
}

void logUnavailable(const std::string& what) {
    foundation::Log::write("ads", what + " cannot be shown here");
}

}  // namespace

GADOpener::~GADOpener() {
    for (const auto& [productID, sheet] : cachedStoreProductViewController_) {
        GADApplication::sharedApplication().finishedUsingStoreProductViewController(sheet,
                                                                                    productID);
    }
}

void GADOpener::setScreens(std::shared_ptr<GADOpenerScreens> screens) {
    hooks().screens = std::move(screens);
}

std::shared_ptr<GADOpenerScreens> GADOpener::screens() {
    return hooks().screens;
}

void GADOpener::setBlockedNavigationPage(BlockedNavigationPage page) {
    hooks().blockedNavigationPage = std::move(page);
}

bool GADOpener::shouldPerformOpenAction() {
    if (!autoClickProtected_) {
        return true;
    }
    const auto page = webView();
    if (page && page->touched()) {
        return true;
    }
    foundation::Dictionary info;
    if (page && page->adDebugDialog()) {
        info["debugDialog"] = *page->adDebugDialog();
    }
    if (navigationURL_) {
        info["navigationURL"] = *navigationURL_;
    }
    const auto& blocked = hooks().blockedNavigationPage;
    GADNotificationCenter::defaultCenter().postJSNotification(kGADNavigationBlockedEvent, info,
                                                              blocked ? blocked() : sdkCorePage());
    return false;
}

bool GADOpener::checkStateWithParameter(bool hasParameter) const {
    return hasParameter && viewController();
}

void GADOpener::didOpen() {
    if (auto owner = slot()) {
        owner->pingClickURLs();
    }
}

void GADOpener::didOpenInApp() {
    didOpen();
    if (auto listener = delegate()) {
        listener->didOpenInApplication();
    }
}

void GADOpener::didOpenExternalApp() {
    didOpen();
    if (auto listener = delegate()) {
        listener->didLeaveApplication();
    }
}

void GADOpener::openInAppPurchase(const std::string& productID, std::int64_t quantity,
                                  const std::vector<std::string>& reportingURLStringFormats) {
    if (!shouldPerformOpenAction()) {
        return;
    }
    const auto made = screens();
    const auto purchase =
        made ? made->makeInAppPurchase(productID, quantity, reportingURLStringFormats) : nullptr;
    if (auto owner = slot(); owner && purchase) {
        owner->didReceiveInAppPurchase(purchase);
    }
    didOpenInApp();
    if (auto controller = viewController();
        controller && made && made->isFullScreenAdController(*controller)) {
        made->relinquishScreen(*controller);
    }
}

void GADOpener::openBrowserToURL(const std::optional<foundation::URL>& url,
                                 std::int64_t orientations) {
    if (!shouldPerformOpenAction() || !checkStateWithParameter(url.has_value())) {
        return;
    }
    const auto made = screens();
    const auto browser = made ? made->makeBrowser(*this, *url, orientations) : nullptr;
    if (!browser) {
        logUnavailable("In-app browser");
        return;
    }
    made->presentFromViewController(browser, viewController());
    didOpenInApp();
}

std::shared_ptr<ui::ViewController> GADOpener::overlayWithWebView(
    const std::shared_ptr<GADWebView>& webView, std::int64_t orientations, bool usingCustomClose) {
    const auto made = screens();
    auto webApp =
        made ? made->overlayWithWebView(*this, webView, orientations, usingCustomClose) : nullptr;
    if (!webApp) {
        logUnavailable("Web app");
    }
    return webApp;
}

void GADOpener::presentWebApp(const std::shared_ptr<ui::ViewController>& webApp) {
    screens()->presentFromViewController(webApp, viewController());
    didOpenInApp();
}

bool GADOpener::openNewWebApp(bool hasContent, std::int64_t orientations, bool usingCustomClose,
                              const std::function<void(ui::ViewController&)>& load) {
    if (!shouldPerformOpenAction() || !checkStateWithParameter(hasContent)) {
        return false;
    }
    auto webApp = overlayWithWebView(nullptr, orientations, usingCustomClose);
    if (!webApp) {
        return false;
    }
    load(*webApp);
    presentWebApp(webApp);
    return true;
}

bool GADOpener::openWebApp(const std::optional<foundation::URL>& url, std::int64_t orientations,
                           bool usingCustomClose) {
    return openNewWebApp(url.has_value(), orientations, usingCustomClose,
                         [&](ui::ViewController& webApp) { screens()->loadWebApp(webApp, *url); });
}

bool GADOpener::openWebAppWithHTML(const std::optional<std::string>& html,
                                   std::int64_t orientations, bool usingCustomClose) {
    return openNewWebApp(
        html.has_value(), orientations, usingCustomClose,
        [&](ui::ViewController& webApp) { screens()->loadWebAppHTML(webApp, *html); });
}

bool GADOpener::expandToWebAppWithSupportedOrientations(std::int64_t orientations,
                                                        bool usingCustomClose) {
    const auto page = webView();
    if (!shouldPerformOpenAction() || !checkStateWithParameter(page != nullptr)) {
        return false;
    }
    const auto made = screens();
    if (made && made->isFullScreenAdController(*viewController())) {
        return false;
    }
    auto webApp = overlayWithWebView(page, orientations, usingCustomClose);
    if (!webApp) {
        return false;
    }
    presentWebApp(webApp);
    return true;
}

void GADOpener::openWebAppWithSize(graphics::Size, graphics::Vector) {
    shouldPerformOpenAction();
}

void GADOpener::openApp(const std::optional<foundation::URL>& url) {
    if (!shouldPerformOpenAction() || !url) {
        return;
    }
    didOpenExternalApp();
    if (auto owner = slot()) {
        owner->adWillLeaveApplication();
    }
    didOpenAnotherApplication_ = true;
    if (auto owner = slot()) {
        owner->willLeaveAppDueToClick();
    }
    foundation::OperationQueue::main()->addOperation(
        [address = url->absoluteString()] { ui::Application::shared().openURL(address); });
}

void GADOpener::openPublisherToolbar(const std::optional<std::string>& adUnitID,
                                     const std::string& adContent) {
    if (!shouldPerformOpenAction()) {
        return;
    }
    std::optional<std::string> unit = adUnitID;
    if (!unit) {
        if (auto owner = slot()) {
            unit = owner->adUnitID();
        }
    }
    const auto made = screens();
    auto toolbar = made ? made->makePublisherToolbar(adContent, unit) : nullptr;
    if (!toolbar) {
        logUnavailable("Publisher toolbar");
        return;
    }
    const auto controller = viewController();
    if (controller && controller->presentedViewController()) {
        std::weak_ptr<GADOpener> weakSelf = weak_from_this();
        controller->dismissViewController(true, [weakSelf, made, toolbar] {
            if (auto self = weakSelf.lock()) {
                made->presentFromViewController(toolbar, self->viewController());
            }
        });
        return;
    }
    made->presentFromViewController(toolbar, controller);
}

void GADOpener::dismissPresentedController() {
    if (auto controller = viewController()) {
        controller->dismissViewController(true);
        controller->becomeFirstResponder();
    }
}
