#pragma once

// The component's full-screen screens as openers use them: full-screen ad
// screens are GADViewControllers; the in-app browser, web-app screens (over
// a web view of their own or an expanding ad's), the publisher toolbar and
// in-app purchases are made here.

#include "ads/webview/GADOpenerScreens.h"

class GADOpenerPresentation : public GADOpenerScreens {
  public:
    // Installs these screens for every opener, unless some are installed.
    static void install();

    bool isFullScreenAdController(const ui::ViewController& controller) const override;
    bool hasAppeared(const ui::ViewController& controller) const override;
    void relinquishScreen(ui::ViewController& controller) override;
    void presentFromViewController(const std::shared_ptr<ui::ViewController>& screen,
                                   const std::shared_ptr<ui::ViewController>& from) override;
    bool inAppPurchaseQuantityIsValid(std::int64_t quantity) const override;
    std::shared_ptr<GADInAppPurchase> makeInAppPurchase(
        const std::string& productID, std::int64_t quantity,
        const std::vector<std::string>& reportingURLStringFormats) override;
    std::shared_ptr<ui::ViewController> makeBrowser(GADOpener& opener, const foundation::URL& url,
                                                    std::int64_t orientations) override;
    std::shared_ptr<ui::ViewController> overlayWithWebView(
        GADOpener& opener, const std::shared_ptr<GADWebView>& webView, std::int64_t orientations,
        bool usingCustomClose) override;
    void loadWebApp(ui::ViewController& webApp, const foundation::URL& url) override;
    void loadWebAppHTML(ui::ViewController& webApp, const std::string& html) override;
    std::shared_ptr<ui::ViewController> makePublisherToolbar(
        const std::string& adContent, const std::optional<std::string>& adUnitID) override;
};
