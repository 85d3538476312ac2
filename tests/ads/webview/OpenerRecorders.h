#pragma once

// Stand-ins around an opener: a slot and delegate, and the component's
// screens, writing what they are asked into one log.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ads/webview/GADOpener.h"
#include "ads/webview/GADOpenerDelegate.h"
#include "ads/webview/GADOpenerScreens.h"
#include "ads/webview/GADOpenerSlot.h"
#include "ads/webview/GADWebView.h"
#include "platform/ui/ViewController.h"

namespace opener_test {

using Log = std::vector<std::string>;

// The slot and the opener's delegate, writing what they hear into one log.
class RecordingSlot : public GADOpenerSlot, public GADOpenerDelegate {
  public:
    explicit RecordingSlot(Log& log) : log_(log) {}
    const std::optional<std::string>& adUnitID() const override { return adUnitID_; }
    void pingClickURLs() override { log_.push_back("ping clicks"); }
    void adWasClicked() override { log_.push_back("clicked"); }
    foundation::URL spamClickURLWithURL(const foundation::URL& url) override {
        log_.push_back("wrap " + url.absoluteString());
        return url;
    }
    void adWillLeaveApplication() override { log_.push_back("slot will leave"); }
    void willLeaveAppDueToClick() override { log_.push_back("left due to click"); }
    void didReceiveInAppPurchase(const std::shared_ptr<GADInAppPurchase>&) override {
        log_.push_back("purchase");
    }
    void didOpenInApplication() override { log_.push_back("opened in app"); }
    void didLeaveApplication() override { log_.push_back("left app"); }

    std::optional<std::string> adUnitID_ = std::string("unit");

  private:
    Log& log_;
};

// A full-screen ad screen as the fake screens see it.
class AdScreen : public ui::ViewController {
  public:
    bool appeared = false;
};

// Makes plain controllers for every screen and logs what it is asked.
class RecordingScreens : public GADOpenerScreens {
  public:
    explicit RecordingScreens(Log& log) : log_(log) {}
    bool isFullScreenAdController(const ui::ViewController& c) const override {
        return dynamic_cast<const AdScreen*>(&c) != nullptr;
    }
    bool hasAppeared(const ui::ViewController& c) const override {
        return dynamic_cast<const AdScreen&>(c).appeared;
    }
    void relinquishScreen(ui::ViewController&) override { log_.push_back("relinquish"); }
    bool inAppPurchaseQuantityIsValid(std::int64_t quantity) const override {
        return quantity >= 1 && quantity <= 10;
    }
    void presentFromViewController(const std::shared_ptr<ui::ViewController>& screen,
                                   const std::shared_ptr<ui::ViewController>& from) override {
        log_.push_back("present " + screen->title());
        if (from) {
            from->presentViewController(screen, true);
        }
    }
    std::shared_ptr<GADInAppPurchase> makeInAppPurchase(
        const std::string& productID, std::int64_t quantity,
        const std::vector<std::string>& formats) override {
        log_.push_back("make purchase " + productID + " x" + std::to_string(quantity) + " " +
                       std::to_string(formats.size()) + " reports");
        return nullptr;  // purchases are made by the presentation
    }
    std::shared_ptr<ui::ViewController> makeBrowser(GADOpener& opener, const foundation::URL& url,
                                                    std::int64_t orientations) override {
        return screen("browser " + url.absoluteString() + " o" + std::to_string(orientations) +
                      " from " +
                      (opener.referringURL() ? opener.referringURL()->absoluteString() : "-"));
    }
    std::shared_ptr<ui::ViewController> overlayWithWebView(GADOpener& opener,
                                                           const std::shared_ptr<GADWebView>& page,
                                                           std::int64_t orientations,
                                                           bool customClose) override {
        return screen(std::string("web app") + (page == opener.webView() ? " of the ad" : "") +
                      " o" + std::to_string(orientations) + (customClose ? " custom close" : ""));
    }
    void loadWebApp(ui::ViewController& webApp, const foundation::URL& url) override {
        webApp.setTitle(webApp.title() + " loading " + url.absoluteString());
    }
    void loadWebAppHTML(ui::ViewController& webApp, const std::string& html) override {
        webApp.setTitle(webApp.title() + " loading " + html);
    }
    std::shared_ptr<ui::ViewController> makePublisherToolbar(
        const std::string& adContent, const std::optional<std::string>& adUnitID) override {
        return screen("toolbar " + adUnitID.value_or("-") + " over " + adContent);
    }

  private:
    static std::shared_ptr<ui::ViewController> screen(const std::string& title) {
        auto made = std::make_shared<ui::ViewController>();
        made->setTitle(title);
        return made;
    }
    Log& log_;
};

}  // namespace opener_test
