#pragma once

// Carries out what an ad asks for: the store's product sheet (after its load,
// at once, or prepared ahead), an in-app purchase handed to the slot, the
// in-app browser, web apps from a URL or HTML and the ad's own web view full
// screen, other applications, mail and text composers, calendar events and
// the publisher toolbar. While auto-click protection is on, actions of an ad
// the user has not touched are refused and the SDK-core page hears of it.
// After an action the slot pings the ad's click URLs and the delegate hears
// whether the ad showed something in the application or left it. The
// component's screens come through GADOpenerScreens. Main thread.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/URL.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/Geometry.h"
#include "platform/services/EventEditViewController.h"
#include "platform/services/MailComposeViewController.h"
#include "platform/services/MessageComposeViewController.h"
#include "platform/services/StoreProductViewController.h"

namespace ui {
class ViewController;
}

class GADOpenerDelegate;
class GADOpenerScreens;
class GADOpenerSlot;
class GADWebView;

// Orientations handed on to the component's screens.
enum GADOrientationMask : std::int64_t {
    kGADOrientationMaskAny = 1,
    kGADOrientationMaskPortrait = 2,
    kGADOrientationMaskLandscape = 3,
};

inline constexpr const char* kGADNavigationBlockedEvent = "navigationBlocked";
inline constexpr const char* kGADCalendarEventCanceledEvent = "onCalendarEventCanceled";

class GADOpener : public std::enable_shared_from_this<GADOpener>,
                  public services::MailComposeViewControllerDelegate,
                  public services::MessageComposeViewControllerDelegate,
                  public services::StoreProductViewControllerDelegate,
                  public services::EventEditViewDelegate {
  public:
    using StoreSheet = std::shared_ptr<services::StoreProductViewController>;
    // The page that hears refused actions; the shared SDK-core page's web
    // view unless one is set.
    using BlockedNavigationPage = std::function<std::shared_ptr<GADWebView>()>;

    // Seconds between tries to show a composer over a full-screen ad screen
    // that has not appeared yet.
    static constexpr double kComposerRetryInterval = 0.25;
    // Tries after the first before such a composer is given up (10 s).
    static constexpr int kComposerMaxRetries = 40;

    GADOpener() = default;
    // Hands the product sheets it prepared to the application's cache.
    ~GADOpener() override;
    GADOpener(const GADOpener&) = delete;
    GADOpener& operator=(const GADOpener&) = delete;

    // The component's screens, for every opener.
    static void setScreens(std::shared_ptr<GADOpenerScreens> screens);
    static std::shared_ptr<GADOpenerScreens> screens();
    static void setBlockedNavigationPage(BlockedNavigationPage page);

    // The action's context.
    std::shared_ptr<ui::ViewController> viewController() const { return viewController_.lock(); }
    void setViewController(const std::shared_ptr<ui::ViewController>& controller) {
        viewController_ = controller;
    }
    const std::optional<foundation::URL>& referringURL() const { return referringURL_; }
    void setReferringURL(std::optional<foundation::URL> url) { referringURL_ = std::move(url); }
    std::shared_ptr<GADWebView> webView() const { return webView_.lock(); }
    void setWebView(const std::shared_ptr<GADWebView>& webView) { webView_ = webView; }
    std::shared_ptr<GADOpenerSlot> slot() const { return slot_.lock(); }
    void setSlot(const std::weak_ptr<GADOpenerSlot>& slot) { slot_ = slot; }
    std::shared_ptr<GADOpenerDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::weak_ptr<GADOpenerDelegate>& delegate) { delegate_ = delegate; }
    const std::optional<std::string>& navigationURL() const { return navigationURL_; }
    void setNavigationURL(std::optional<std::string> url) { navigationURL_ = std::move(url); }
    // An action sent the user out of the application; the web-app screen
    // reads and clears it when the application comes back.
    bool didOpenAnotherApplication() const { return didOpenAnotherApplication_; }
    void setDidOpenAnotherApplication(bool opened) { didOpenAnotherApplication_ = opened; }
    bool isAutoClickProtected() const { return autoClickProtected_; }
    void setAutoClickProtected(bool protectedFromAutoClicks) {
        autoClickProtected_ = protectedFromAutoClicks;
    }
    // The product sheets this opener prepared or took from the application's
    // cache, by the decimal product ID.
    const std::map<std::string, StoreSheet>& cachedStoreProductViewController() const {
        return cachedStoreProductViewController_;
    }

    // The guard: true unless protection is on and the web view was not
    // touched; a refusal posts "navigationBlocked" to the SDK-core page.
    bool shouldPerformOpenAction();
    // checkStateWithParamter: there is a controller to present from and an argument.
    bool checkStateWithParameter(bool hasParameter) const;
    static bool isInAppStoreSupported();

    // Store sheets. The product ID is read as a number; the fallback opens
    // when the store cannot show the product.
    void openInAppStore(const std::string& productID,
                        const std::optional<foundation::URL>& fallbackURL);
    void openInAppStoreWithProductID(const std::string& productID,
                                     const std::optional<foundation::URL>& fallbackURL,
                                     bool shouldWaitForFetch);
    // The sheet for the product, loading when new; no guard.
    StoreSheet fetchInAppStoreForProductID(const std::string& productID);

    void openInAppPurchase(const std::string& productID, std::int64_t quantity,
                           const std::vector<std::string>& reportingURLStringFormats);
    void openBrowserToURL(const std::optional<foundation::URL>& url, std::int64_t orientations);
    // A configured web-app screen; no guard.
    std::shared_ptr<ui::ViewController> overlayWithWebView(
        const std::shared_ptr<GADWebView>& webView, std::int64_t orientations,
        bool usingCustomClose);
    // The web-app actions answer whether the screen was shown; a refusal
    // (the guard, no presenting controller, no screen) shows nothing.
    bool openWebApp(const std::optional<foundation::URL>& url, std::int64_t orientations,
                    bool usingCustomClose);
    bool openWebAppWithHTML(const std::optional<std::string>& html, std::int64_t orientations,
                            bool usingCustomClose);
    bool expandToWebAppWithSupportedOrientations(std::int64_t orientations, bool usingCustomClose);
    // A resize request: the guard alone.
    void openWebAppWithSize(graphics::Size size, graphics::Vector offset);
    // Leaves the application for the URL (the guard runs for none too).
    void openApp(const std::optional<foundation::URL>& url);
    void openEmailComposer(const foundation::URL& url);
    void openSmsComposer(const foundation::URL& url);
    // Shows the composer once the full-screen ad screen presenting it has
    // appeared, trying again every kComposerRetryInterval up to
    // kComposerMaxRetries times.
    void presentComposerController(const std::shared_ptr<ui::ViewController>& composer);
    // The publisher toolbar over the ad's HTML, for the slot's ad unit when none is given.
    void openPublisherToolbar(const std::optional<std::string>& adUnitID,
                              const std::string& adContent);
    // The calendar editor over an MRAID ad's event, shown once the user lets
    // the application at the calendar; a refusal or a cancelled editor
    // reaches the page as "onCalendarEventCanceled".
    void openCalendarWithDictionary(const foundation::Dictionary& parameters);

    // The composers, the sheet and the editor are done.
    void mailComposeControllerDidFinish(services::MailComposeViewController& controller,
                                        services::MailComposeResult result,
                                        const std::optional<foundation::Error>& error) override;
    void messageComposeViewControllerDidFinish(services::MessageComposeViewController& controller,
                                               services::MessageComposeResult result) override;
    void productViewControllerDidFinish(services::StoreProductViewController& controller) override;
    void eventEditViewControllerDidCompleteWithAction(
        services::EventEditViewController& controller,
        services::EventEditViewAction action) override;

  private:
    void didOpen();
    void didOpenInApp();
    void didOpenExternalApp();
    void dismissPresentedController();
    void tryPresentingComposer(const std::shared_ptr<ui::ViewController>& composer, int retries);
    void presentWebApp(const std::shared_ptr<ui::ViewController>& webApp);
    // A web-app screen of its own, loaded by `load` and shown, unless the
    // guard or the state check (`hasContent`) refuses.
    bool openNewWebApp(bool hasContent, std::int64_t orientations, bool usingCustomClose,
                       const std::function<void(ui::ViewController&)>& load);

    std::weak_ptr<ui::ViewController> viewController_;
    std::optional<foundation::URL> referringURL_;
    std::weak_ptr<GADWebView> webView_;
    std::weak_ptr<GADOpenerSlot> slot_;
    std::weak_ptr<GADOpenerDelegate> delegate_;
    std::optional<std::string> navigationURL_;
    bool didOpenAnotherApplication_ = false;
    bool autoClickProtected_ = false;
    std::map<std::string, StoreSheet> cachedStoreProductViewController_;
};
