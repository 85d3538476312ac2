#pragma once

// The modal in-app browser for http and https links: one web view under a
// navigation bar with a thin progress bar, a tool bar with back, forward,
// refresh-or-stop and share, a Done button, and a confirmation before a link
// of another scheme leaves for an outside app. It takes the newer web-view
// road (navigation delegate, observed progress) when the "WKWebView" class
// is registered, else the classic one (should-start delegate, simulated
// progress); every operation asks which web view it holds.

#include <memory>
#include <optional>
#include <vector>

#include "platform/foundation/Timer.h"
#include "platform/foundation/URL.h"
#include "platform/graphics/Color.h"
#include "platform/net/URLRequest.h"
#include "platform/ui/Activity.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/AlertViewDelegate.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/PopoverController.h"
#include "platform/ui/ProgressView.h"
#include "platform/ui/ViewController.h"
#include "platform/web/NavigationDelegate.h"
#include "platform/web/WebView.h"
#include "platform/web/WebViewDelegate.h"
#include "ui/KINWebBrowser/KINWebBrowserDelegate.h"

class KINWebBrowserViewController : public ui::ViewController,
                                    public ui::AlertViewDelegate,
                                    public web::NavigationDelegate,
                                    public web::WebUIDelegate,
                                    public web::WebViewDelegate {
  public:
    using Ptr = std::shared_ptr<KINWebBrowserViewController>;

    static constexpr float kFakeProgressInterval = 1.0f / 60.0f;

    // webBrowser / webBrowserWithConfiguration:
    static Ptr webBrowser();
    // navigationControllerWithWebBrowser: a new browser in a new navigation
    // controller, with a Done item that dismisses it.
    static std::shared_ptr<ui::NavigationController> navigationControllerWithWebBrowser();
    static std::shared_ptr<ui::NavigationController> navigationControllerWithBrowser(
        const Ptr& browser);

    KINWebBrowserViewController();
    ~KINWebBrowserViewController() override;

    std::string className() const override { return "KINWebBrowserViewController"; }

    std::shared_ptr<KINWebBrowserDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<KINWebBrowserDelegate>& delegate) {
        delegate_ = delegate;
    }

    const std::shared_ptr<web::WebView>& wkWebView() const { return wkWebView_; }
    const std::shared_ptr<web::WebView>& uiWebView() const { return uiWebView_; }
    const std::shared_ptr<ui::ProgressView>& progressView() const { return progressView_; }

    void loadRequest(const net::URLRequest& request);
    void loadURL(const foundation::URL& url);
    void loadURLString(const std::string& text);
    void loadHTMLString(const std::string& html);

    std::optional<graphics::Color> tintColor() const { return tintColor_; }
    void setTintColor(std::optional<graphics::Color> color);
    std::optional<graphics::Color> barTintColor() const { return barTintColor_; }
    void setBarTintColor(std::optional<graphics::Color> color);
    bool actionButtonHidden() const { return actionButtonHidden_; }
    void setActionButtonHidden(bool hidden);
    bool showsURLInNavigationBar() const { return showsURLInNavigationBar_; }
    void setShowsURLInNavigationBar(bool shows) { showsURLInNavigationBar_ = shows; }
    bool showsPageTitleInNavigationBar() const { return showsPageTitleInNavigationBar_; }
    void setShowsPageTitleInNavigationBar(bool shows) { showsPageTitleInNavigationBar_ = shows; }
    const std::vector<std::shared_ptr<ui::Activity>>& customActivityItems() const {
        return customActivityItems_;
    }
    void setCustomActivityItems(std::vector<std::shared_ptr<ui::Activity>> items) {
        customActivityItems_ = std::move(items);
    }

    // Tool bar items (made once).
    const ui::BarButtonItem::Ptr& backButton() const { return backButton_; }
    const ui::BarButtonItem::Ptr& forwardButton() const { return forwardButton_; }
    const ui::BarButtonItem::Ptr& refreshButton() const { return refreshButton_; }
    const ui::BarButtonItem::Ptr& stopButton() const { return stopButton_; }
    const ui::BarButtonItem::Ptr& actionButton() const { return actionButton_; }
    const std::shared_ptr<ui::PopoverController>& actionPopoverController() const {
        return actionPopover_;
    }
    const std::shared_ptr<ui::AlertView>& externalAppPermissionAlertView() const {
        return permissionAlert_;
    }
    const std::optional<std::string>& URLToLaunchWithPermission() const { return urlToLaunch_; }
    bool fakeProgressTimerRunning() const { return fakeProgressTimer_ != nullptr; }

    // Button actions.
    void doneButtonPressed();
    void backButtonPressed();
    void forwardButtonPressed();
    void refreshButtonPressed();
    void stopButtonPressed();
    void actionButtonPressed();
    void dismissAnimated(bool animated);

    void updateToolbarState();
    // YES when the scheme is neither "http" nor "https" (exactly).
    static bool externalAppRequiredToOpenURL(const std::optional<foundation::URL>& url);
    void launchExternalAppWithURL(const std::string& url);

    int supportedInterfaceOrientations() const override { return 26; }
    bool shouldAutorotate() const override { return true; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // Confirmation alert.
    void alertViewDidDismissWithButtonIndex(ui::AlertView& alert, int index) override;
    // Newer road.
    web::NavigationActionPolicy decidePolicyForNavigationAction(
        web::WebView& webView, const web::NavigationAction& action) override;
    std::shared_ptr<web::WebView> createWebView(web::WebView& webView,
                                                const web::NavigationAction& action) override;
    void didStartProvisionalNavigation(web::WebView& webView) override;
    void didFinishNavigation(web::WebView& webView) override;
    void didFailProvisionalNavigation(web::WebView& webView, const net::URLError& error) override;
    void didFailNavigation(web::WebView& webView, const net::URLError& error) override;
    // Classic road.
    bool webViewShouldStartLoad(web::WebView& webView, const net::URLRequest& request,
                                web::NavigationType type) override;
    void webViewDidFinishLoad(web::WebView& webView) override;
    void webViewDidFailLoad(web::WebView& webView, const net::URLError& error) override;

  private:
    Ptr self();
    void setupToolbarItems();
    void estimatedProgressChanged();
    void fakeProgressViewStartLoading();
    void fakeProgressTimerDidFire();
    void fakeProgressBarStopLoading();
    void fadeOutProgress();

    std::weak_ptr<KINWebBrowserDelegate> delegate_;
    std::shared_ptr<web::WebView> wkWebView_;
    std::shared_ptr<web::WebView> uiWebView_;
    std::shared_ptr<ui::ProgressView> progressView_;
    ui::BarButtonItem::Ptr backButton_, forwardButton_, refreshButton_, stopButton_, actionButton_,
        fixedSeparator_, flexibleSeparator_;
    std::optional<graphics::Color> tintColor_;
    std::optional<graphics::Color> barTintColor_;
    bool actionButtonHidden_ = false;
    bool showsURLInNavigationBar_ = false;
    bool showsPageTitleInNavigationBar_ = true;
    std::vector<std::shared_ptr<ui::Activity>> customActivityItems_;
    bool previousToolbarHidden_ = false;
    bool previousNavigationBarHidden_ = false;
    std::shared_ptr<foundation::Timer> fakeProgressTimer_;
    std::shared_ptr<ui::PopoverController> actionPopover_;
    bool uiWebViewIsLoading_ = false;
    std::optional<foundation::URL> uiWebViewCurrentURL_;
    std::optional<std::string> urlToLaunch_;
    std::shared_ptr<ui::AlertView> permissionAlert_;
    bool observing_ = false;
    std::shared_ptr<int> observerToken_ = std::make_shared<int>();
};

// The navigation-controller category: the browser a factory navigation
// controller holds.
namespace KINWebBrowser {
KINWebBrowserViewController::Ptr rootWebBrowser(
    const ui::NavigationController& navigationController);
}
