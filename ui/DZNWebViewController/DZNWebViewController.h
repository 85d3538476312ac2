#pragma once

// A self-contained browser screen inside a navigation controller, whose bars
// it takes over: a web view that reports its progress, tool items for back,
// forward, stop-or-reload and share, a thin progress bar under the
// navigation bar, a two-line title with the page's title and URL, history
// lists on a long press of back or forward, a share sheet with the
// browser's own activities, and bars that hide on swipe.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/URL.h"
#include "platform/net/URLError.h"
#include "platform/ui/Activity.h"
#include "platform/ui/BarButtonItem.h"
#include "platform/ui/GestureRecognizer.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/PopoverController.h"
#include "platform/ui/ProgressView.h"
#include "platform/ui/TableViewDataSource.h"
#include "platform/ui/TableViewDelegate.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/ViewController.h"
#include "ui/DZNWebViewController/DZNWebView.h"

class DZNWebViewController : public ui::ViewController,
                             public DZNNavigationDelegate,
                             public web::WebUIDelegate,
                             public ui::TableViewDataSource,
                             public ui::TableViewDelegate {
  public:
    using Ptr = std::shared_ptr<DZNWebViewController>;

    // Bits of supportedWebNavigationTools.
    static constexpr unsigned kNavigationToolBackward = 1;
    static constexpr unsigned kNavigationToolForward = 2;
    static constexpr unsigned kNavigationToolStopReload = 4;
    static constexpr unsigned kNavigationToolAll = ~0u;
    // Bits of supportedWebActions.
    static constexpr unsigned kWebActionShare = 1;
    static constexpr unsigned kWebActionCopyLink = 2;
    static constexpr unsigned kWebActionReadLater = 4;
    static constexpr unsigned kWebActionOpenSafari = 8;
    static constexpr unsigned kWebActionOpenChrome = 16;
    static constexpr unsigned kWebActionOpenOperaMini = 32;
    static constexpr unsigned kWebActionOpenDolphin = 64;
    static constexpr unsigned kWebActionAll = ~0u;

    // init ; initWithURL: (initWithFileURL: is the same).
    static Ptr make();
    static Ptr makeWithURL(const foundation::URL& url);

    DZNWebViewController();
    ~DZNWebViewController() override;

    std::string className() const override { return "DZNWebViewController"; }

    const std::optional<foundation::URL>& URL() const { return url_; }
    // A different URL loads at once when the view is loaded.
    void setURL(const std::optional<foundation::URL>& url);
    const std::shared_ptr<DZNWebView>& webView() const { return webView_; }

    unsigned supportedWebNavigationTools() const { return tools_; }
    void setSupportedWebNavigationTools(unsigned tools) { tools_ = tools; }
    unsigned supportedWebActions() const { return actions_; }
    void setSupportedWebActions(unsigned actions) { actions_ = actions; }
    bool showLoadingProgress() const { return showLoadingProgress_; }
    void setShowLoadingProgress(bool show) { showLoadingProgress_ = show; }
    bool hideBarsWithGestures() const { return hideBarsWithGestures_; }
    void setHideBarsWithGestures(bool hide) { hideBarsWithGestures_ = hide; }
    bool allowHistory() const { return allowHistory_; }
    void setAllowHistory(bool allow) { allowHistory_ = allow; }
    bool showPageTitleAndURL() const { return showPageTitleAndURL_; }
    void setShowPageTitleAndURL(bool show) { showPageTitleAndURL_ = show; }
    bool supportsAllNavigationTools() const { return tools_ == kNavigationToolAll; }
    bool supportsAllActions() const { return actions_ == kWebActionAll; }

    // Bar item images, loaded by name on first access.
    const graphics::Image::Ptr& backwardButtonImage();
    const graphics::Image::Ptr& forwardButtonImage();
    const graphics::Image::Ptr& stopButtonImage();
    const graphics::Image::Ptr& reloadButtonImage();
    const graphics::Image::Ptr& actionButtonImage();

    // The tools, made on first access.
    const ui::BarButtonItem::Ptr& backwardBarItem();
    const ui::BarButtonItem::Ptr& forwardBarItem();
    const ui::BarButtonItem::Ptr& stateBarItem();
    const ui::BarButtonItem::Ptr& actionBarItem();
    // The loading bar on the navigation bar; nullptr until made.
    const std::shared_ptr<ui::ProgressView>& progressView() const { return progressView_; }
    bool completedInitialLoad() const { return completedInitialLoad_; }

    void loadURL(const foundation::URL& url);
    void loadURL(const foundation::URL& url, const std::optional<foundation::URL>& baseURL);
    void goBackward();
    void goForward();
    void closeMe();
    // The title view shows the title over the page's URL; nullopt or "" clears it.
    void setTitle(const std::string& title) override;
    void setLoadingError(const net::URLError& error);

    std::vector<ui::BarButtonItem::Ptr> navigationToolItems();
    void configureToolBars();
    void configureBarItemsGestures();
    void updateToolbarItems();
    void updateStateBarItem();
    void presentActivityController();
    void presentActivityControllerWithItem(const std::optional<ui::ActivityItem>& item,
                                           const std::string& title,
                                           const ui::BarButtonItem::Ptr& sender);
    std::vector<std::shared_ptr<ui::Activity>> applicationActivitiesForItem(
        const ui::ActivityItem& item) const;
    std::vector<std::string> excludedActivityTypesForItem(const ui::ActivityItem& item) const;
    void showBackwardHistory(ui::GestureRecognizer& recognizer);
    void showForwardHistory(ui::GestureRecognizer& recognizer);
    // `tool` 1 lists the back list, 2 the forward list.
    void presentHistoryControllerForTool(unsigned tool, const ui::View::Ptr& view);
    void dismissHistoryController();
    const std::shared_ptr<ui::PopoverController>& historyPopover() const { return popover_; }
    void clearProgressViewAnimated(bool animated);
    void destroyProgressViewIfNeeded();

    int supportedInterfaceOrientations() const override { return 30; }
    bool shouldAutorotate() const override { return false; }
    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

    // Web view.
    void webViewDidUpdateProgress(web::WebView& webView, double progress) override;
    void didStartProvisionalNavigation(web::WebView& webView) override;
    void didCommitNavigation(web::WebView& webView) override;
    void didFinishNavigation(web::WebView& webView) override;
    void didFailProvisionalNavigation(web::WebView& webView, const net::URLError& error) override;
    void didFailNavigation(web::WebView& webView, const net::URLError& error) override;
    std::shared_ptr<web::WebView> createWebView(web::WebView& webView,
                                                const web::NavigationAction& action) override;

    // History table.
    int numberOfRowsInSection(ui::TableView& table, int section) override;
    ui::TableViewCell::Ptr cellForRowAtIndexPath(ui::TableView& table,
                                                 ui::IndexPath indexPath) override;
    std::optional<double> heightForRowAtIndexPath(ui::TableView& table,
                                                  ui::IndexPath indexPath) override {
        return 44;
    }
    void didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) override;

  private:
    Ptr self();
    void commonInit();
    void failed(const net::URLError& error);
    ui::BarButtonItem::Action action(void (DZNWebViewController::*method)());
    // A disabled image item made once into `slot`.
    const ui::BarButtonItem::Ptr& toolItem(ui::BarButtonItem::Ptr& slot,
                                           const graphics::Image::Ptr& image,
                                           void (DZNWebViewController::*method)(),
                                           const char* label);
    void navigationBarHiddenChanged();
    void navigationBarCenterChanged();
    std::vector<web::BackForwardItem> historyList(unsigned tool) const;
    const graphics::Image::Ptr& image(graphics::Image::Ptr& slot, const char* name);

    std::optional<foundation::URL> url_;
    std::shared_ptr<DZNWebView> webView_;
    unsigned tools_ = kNavigationToolAll;
    unsigned actions_ = kWebActionAll;
    bool showLoadingProgress_ = true;
    bool hideBarsWithGestures_ = true;
    bool allowHistory_ = true;
    bool showPageTitleAndURL_ = true;
    graphics::Image::Ptr backwardImage_, forwardImage_, stopImage_, reloadImage_, actionImage_;
    ui::BarButtonItem::Ptr backwardItem_, forwardItem_, stateItem_, actionItem_;
    std::shared_ptr<ui::ProgressView> progressView_;
    std::shared_ptr<ui::GestureRecognizer> backwardLongPress_, forwardLongPress_;
    std::weak_ptr<ui::Toolbar> toolbar_;
    std::weak_ptr<ui::NavigationBar> navigationBar_;
    std::weak_ptr<ui::View> navigationBarSuperView_;
    std::shared_ptr<ui::PopoverController> popover_;
    bool completedInitialLoad_ = false;
    bool gesturesConfigured_ = false;
    bool observingBar_ = false;
};
