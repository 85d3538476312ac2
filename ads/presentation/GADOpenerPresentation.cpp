#include "ads/presentation/GADOpenerPresentation.h"

#include "ads/presentation/GADBrowserViewController.h"
#include "ads/presentation/GADInAppPurchase.h"
#include "ads/presentation/GADPublisherToolbarController.h"
#include "ads/presentation/GADScreenSlot.h"
#include "ads/presentation/GADWebAppViewController.h"
#include "ads/webview/GADOpener.h"

void GADOpenerPresentation::install() {
    if (!GADOpener::screens()) {
        GADOpener::setScreens(std::make_shared<GADOpenerPresentation>());
    }
}

bool GADOpenerPresentation::isFullScreenAdController(const ui::ViewController& controller) const {
    return dynamic_cast<const GADViewController*>(&controller) != nullptr;
}

bool GADOpenerPresentation::hasAppeared(const ui::ViewController& controller) const {
    const auto* screen = dynamic_cast<const GADViewController*>(&controller);
    return screen && screen->viewDidAppear();
}

void GADOpenerPresentation::relinquishScreen(ui::ViewController& controller) {
    if (auto* screen = dynamic_cast<GADViewController*>(&controller)) {
        screen->relinquishScreen();
    }
}

void GADOpenerPresentation::presentFromViewController(
    const std::shared_ptr<ui::ViewController>& screen,
    const std::shared_ptr<ui::ViewController>& from) {
    if (auto adScreen = std::dynamic_pointer_cast<GADViewController>(screen)) {
        adScreen->presentFromViewController(from);
    }
}

bool GADOpenerPresentation::inAppPurchaseQuantityIsValid(std::int64_t quantity) const {
    return GADInAppPurchase::quantityIsValid(quantity);
}

std::shared_ptr<GADInAppPurchase> GADOpenerPresentation::makeInAppPurchase(
    const std::string& productID, std::int64_t quantity,
    const std::vector<std::string>& reportingURLStringFormats) {
    auto purchase = std::make_shared<GADInAppPurchase>();
    purchase->setProductID(productID);
    purchase->setQuantity(quantity);
    purchase->setReportingURLStringFormats(reportingURLStringFormats);
    return purchase;
}

std::shared_ptr<ui::ViewController> GADOpenerPresentation::makeBrowser(GADOpener& opener,
                                                                       const foundation::URL& url,
                                                                       std::int64_t orientations) {
    auto browser = std::make_shared<GADBrowserViewController>();
    browser->setSupportedOrientations(orientations);
    browser->setSlot(std::dynamic_pointer_cast<GADScreenSlot>(opener.slot()));
    browser->load(url, opener.referringURL());
    return browser;
}

std::shared_ptr<ui::ViewController> GADOpenerPresentation::overlayWithWebView(
    GADOpener& opener, const std::shared_ptr<GADWebView>& webView, std::int64_t orientations,
    bool usingCustomClose) {
    auto webApp = GADWebAppViewController::make(webView);
    webApp->setSupportedOrientations(orientations);
    webApp->setSlot(std::dynamic_pointer_cast<GADScreenSlot>(opener.slot()));
    webApp->setUseCustomClose(usingCustomClose);
    return webApp;
}

void GADOpenerPresentation::loadWebApp(ui::ViewController& webApp, const foundation::URL& url) {
    if (auto* screen = dynamic_cast<GADWebAppViewController*>(&webApp)) {
        screen->load(url);
    }
}

void GADOpenerPresentation::loadWebAppHTML(ui::ViewController& webApp, const std::string& html) {
    if (auto* screen = dynamic_cast<GADWebAppViewController*>(&webApp)) {
        screen->loadHTML(html, std::nullopt);
    }
}

std::shared_ptr<ui::ViewController> GADOpenerPresentation::makePublisherToolbar(
    const std::string& adContent, const std::optional<std::string>& adUnitID) {
    return GADPublisherToolbarController::make(adContent, adUnitID);
}
