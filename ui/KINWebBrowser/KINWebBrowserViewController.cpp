#include "ui/KINWebBrowser/KINWebBrowserViewController.h"

#include "platform/foundation/ClassRegistry.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/graphics/Image.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/NavigationBar.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/ViewAnimation.h"
#include "ui/ARChromeActivity/ARChromeActivity.h"
#include "ui/TUSafariActivity/TUSafariActivity.h"

namespace {

std::string replacingAll(std::string text, const std::string& what) {
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at)) {
        text.erase(at, what.size());
    }
    return text;
}

}  // namespace

KINWebBrowserViewController::Ptr KINWebBrowserViewController::webBrowser() {
    return std::make_shared<KINWebBrowserViewController>();
}

std::shared_ptr<ui::NavigationController>
KINWebBrowserViewController::navigationControllerWithWebBrowser() {
    return navigationControllerWithBrowser(webBrowser());
}

std::shared_ptr<ui::NavigationController>
KINWebBrowserViewController::navigationControllerWithBrowser(const Ptr& browser) {
    std::weak_ptr<KINWebBrowserViewController> weak = browser;
    browser->navigationItem().setRightBarButtonItem(ui::BarButtonItem::withSystemItem(
        ui::BarButtonSystemItem::done, [weak](ui::BarButtonItem&) {
            if (auto strong = weak.lock()) {
                strong->doneButtonPressed();
            }
        }));
    return ui::NavigationController::withRootViewController(browser);
}

KINWebBrowserViewController::Ptr KINWebBrowser::rootWebBrowser(
    const ui::NavigationController& navigationController) {
    const auto& controllers = navigationController.viewControllers();
    return controllers.empty()
               ? nullptr
               : std::dynamic_pointer_cast<KINWebBrowserViewController>(controllers[0]);
}

KINWebBrowserViewController::KINWebBrowserViewController() {
    if (foundation::ClassRegistry::shared().exists("WKWebView")) {
        wkWebView_ = std::make_shared<web::WebView>();
    } else {
        uiWebView_ = std::make_shared<web::WebView>();
    }
    setActionButtonHidden(false);
    showsURLInNavigationBar_ = false;
    showsPageTitleInNavigationBar_ = true;
    permissionAlert_ = ui::AlertView::make(
        "Leave this app?",
        "This web page is trying to open an outside app. Are you sure you want to open it?",
        std::weak_ptr<ui::AlertViewDelegate>(), std::string("Cancel"), {"Open App"});
}

KINWebBrowserViewController::~KINWebBrowserViewController() {
    if (fakeProgressTimer_) {
        fakeProgressTimer_->invalidate();
    }
    if (uiWebView_) {
        uiWebView_->setDelegate(nullptr);
    }
    if (wkWebView_) {
        wkWebView_->setNavigationDelegate(nullptr);
        wkWebView_->setUIDelegate(nullptr);
        if (observing_) {
            wkWebView_->removeObserver(this, "estimatedProgress");
        }
    }
}

KINWebBrowserViewController::Ptr KINWebBrowserViewController::self() {
    return std::static_pointer_cast<KINWebBrowserViewController>(weak_from_this().lock());
}

// Loading.

void KINWebBrowserViewController::loadRequest(const net::URLRequest& request) {
    if (wkWebView_) {
        wkWebView_->loadRequest(request);
    } else if (uiWebView_) {
        uiWebView_->loadRequest(request);
    }
}

void KINWebBrowserViewController::loadURL(const foundation::URL& url) {
    loadRequest(net::URLRequest(url));
}

void KINWebBrowserViewController::loadURLString(const std::string& text) {
    if (auto url = foundation::URL::fromString(text)) {
        loadURL(*url);
    }
}

void KINWebBrowserViewController::loadHTMLString(const std::string& html) {
    if (wkWebView_) {
        wkWebView_->loadHTMLString(html, std::nullopt);
    } else if (uiWebView_) {
        uiWebView_->loadHTMLString(html, std::nullopt);
    }
}

// Appearance.

void KINWebBrowserViewController::setTintColor(std::optional<graphics::Color> color) {
    tintColor_ = color;
    if (progressView_) {
        progressView_->setTintColor(color);
    }
    if (auto navigation = navigationController()) {
        navigation->navigationBar()->setTintColor(color);
        navigation->toolbar()->setTintColor(color);
    }
}

void KINWebBrowserViewController::setBarTintColor(std::optional<graphics::Color> color) {
    barTintColor_ = color;
    if (auto navigation = navigationController()) {
        navigation->navigationBar()->setBarTintColor(color);
        navigation->toolbar()->setBarTintColor(color);
    }
}

void KINWebBrowserViewController::setActionButtonHidden(bool hidden) {
    actionButtonHidden_ = hidden;
    updateToolbarState();
}

void KINWebBrowserViewController::setupToolbarItems() {
    auto weak = weak_from_this();
    auto action = [weak](void (KINWebBrowserViewController::*method)()) {
        return [weak, method](ui::BarButtonItem&) {
            if (auto strong = std::static_pointer_cast<KINWebBrowserViewController>(weak.lock())) {
                ((*strong).*method)();
            }
        };
    };
    refreshButton_ = ui::BarButtonItem::withSystemItem(
        ui::BarButtonSystemItem::refresh,
        action(&KINWebBrowserViewController::refreshButtonPressed));
    stopButton_ = ui::BarButtonItem::withSystemItem(
        ui::BarButtonSystemItem::stop, action(&KINWebBrowserViewController::stopButtonPressed));
    backButton_ = ui::BarButtonItem::withImage(
        graphics::Image::imageNamed("backbutton"), ui::BarButtonItemStyle::plain,
        action(&KINWebBrowserViewController::backButtonPressed));
    forwardButton_ = ui::BarButtonItem::withImage(
        graphics::Image::imageNamed("forwardbutton"), ui::BarButtonItemStyle::plain,
        action(&KINWebBrowserViewController::forwardButtonPressed));
    actionButton_ = ui::BarButtonItem::withSystemItem(
        ui::BarButtonSystemItem::action, action(&KINWebBrowserViewController::actionButtonPressed));
    fixedSeparator_ = ui::BarButtonItem::fixedSpace(50);
    flexibleSeparator_ = ui::BarButtonItem::flexibleSpace();
}

void KINWebBrowserViewController::updateToolbarState() {
    const bool canGoBack =
        (wkWebView_ && wkWebView_->canGoBack()) || (uiWebView_ && uiWebView_->canGoBack());
    const bool canGoForward =
        (wkWebView_ && wkWebView_->canGoForward()) || (uiWebView_ && uiWebView_->canGoForward());
    if (backButton_) {
        backButton_->setEnabled(canGoBack);
    }
    if (forwardButton_) {
        forwardButton_->setEnabled(canGoForward);
    }
    if (!backButton_) {
        setupToolbarItems();
    }
    const bool loading = wkWebView_ ? wkWebView_->isLoading() : uiWebViewIsLoading_;
    std::vector<ui::BarButtonItem::Ptr> items = {backButton_,
                                                 fixedSeparator_,
                                                 forwardButton_,
                                                 fixedSeparator_,
                                                 loading ? stopButton_ : refreshButton_,
                                                 flexibleSeparator_};
    if (loading && showsURLInNavigationBar_) {
        std::optional<foundation::URL> url = wkWebView_ ? wkWebView_->URL() : uiWebViewCurrentURL_;
        std::string text = url ? url->absoluteString() : std::string();
        text = replacingAll(replacingAll(text, "http://"), "https://");
        // Nothing is left to drop a character from: the title shows nothing.
        if (!text.empty()) {
            text.pop_back();
        }
        navigationItem().setTitle(text);
    } else if (!loading && showsPageTitleInNavigationBar_) {
        if (wkWebView_) {
            navigationItem().setTitle(wkWebView_->title());
        } else if (uiWebView_) {
            navigationItem().setTitle(
                uiWebView_->stringByEvaluatingJavaScriptFromString("document.title"));
        }
    }
    if (!actionButtonHidden_) {
        items.push_back(actionButton_);
    }
    setToolbarItems(items, true);
    setTintColor(tintColor_);
    setBarTintColor(barTintColor_);
}

// Lifecycle.

void KINWebBrowserViewController::viewDidLoad() {
    auto me = self();
    if (auto navigation = navigationController()) {
        previousToolbarHidden_ = navigation->isToolbarHidden();
        previousNavigationBarHidden_ = navigation->isNavigationBarHidden();
    }
    auto& container = *view();
    const auto webView = wkWebView_ ? wkWebView_ : uiWebView_;
    webView->setFrame(container.bounds());
    webView->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                 ui::Autoresizing::flexibleHeight);
    webView->setMultipleTouchEnabled(true);
    webView->setAutoresizesSubviews(true);
    webView->scrollView()->setAlwaysBounceVertical(true);
    container.addSubview(webView);
    if (wkWebView_) {
        wkWebView_->setNavigationDelegate(me);
        wkWebView_->setUIDelegate(me);
        std::weak_ptr<KINWebBrowserViewController> weak = me;
        wkWebView_->addObserver(me, "estimatedProgress", [weak](const foundation::KeyValueChange&) {
            if (auto strong = weak.lock()) {
                strong->estimatedProgressChanged();
            }
        });
        observing_ = true;
    } else {
        uiWebView_->setDelegate(me);
        uiWebView_->setScalesPageToFit(true);
    }
    progressView_ = std::make_shared<ui::ProgressView>(ui::ProgressViewStyle::defaultStyle);
    progressView_->setTrackTintColor(graphics::Color::white(1, 0));
    const double barHeight = navigationController()
                                 ? navigationController()->navigationBar()->frame().size.height
                                 : ui::NavigationBar::kHeight;
    const double ownHeight = progressView_->frame().size.height;
    progressView_->setFrame(
        graphics::Rect(0, barHeight - ownHeight, container.frame().size.width, ownHeight));
    progressView_->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                       ui::Autoresizing::flexibleTopMargin);
}

void KINWebBrowserViewController::viewWillAppear(bool animated) {
    if (auto navigation = navigationController()) {
        navigation->setNavigationBarHidden(false, true);
        navigation->setToolbarHidden(false, true);
        if (progressView_) {
            navigation->navigationBar()->addSubview(progressView_);
        }
    }
    updateToolbarState();
}

void KINWebBrowserViewController::viewWillDisappear(bool animated) {
    if (auto navigation = navigationController()) {
        navigation->setNavigationBarHidden(previousNavigationBarHidden_, animated);
        navigation->setToolbarHidden(previousToolbarHidden_, animated);
    }
    if (uiWebView_) {
        uiWebView_->setDelegate(nullptr);
    }
    if (progressView_) {
        progressView_->removeFromSuperview();
    }
}

// Buttons.

void KINWebBrowserViewController::doneButtonPressed() {
    dismissAnimated(true);
}

void KINWebBrowserViewController::dismissAnimated(bool animated) {
    if (auto delegate = delegate_.lock()) {
        delegate->webBrowserViewControllerWillDismiss(*this);
    }
    if (auto navigation = navigationController()) {
        navigation->dismissViewController(animated);
    }
}

void KINWebBrowserViewController::backButtonPressed() {
    if (wkWebView_) {
        wkWebView_->goBack();
    } else if (uiWebView_) {
        uiWebView_->goBack();
    }
    updateToolbarState();
}

void KINWebBrowserViewController::forwardButtonPressed() {
    if (wkWebView_) {
        wkWebView_->goForward();
    } else if (uiWebView_) {
        uiWebView_->goForward();
    }
    updateToolbarState();
}

void KINWebBrowserViewController::refreshButtonPressed() {
    const auto webView = wkWebView_ ? wkWebView_ : uiWebView_;
    if (webView) {
        webView->stopLoading();
        webView->reload();
    }
}

void KINWebBrowserViewController::stopButtonPressed() {
    const auto webView = wkWebView_ ? wkWebView_ : uiWebView_;
    if (webView) {
        webView->stopLoading();
    }
}

void KINWebBrowserViewController::actionButtonPressed() {
    std::optional<foundation::URL> url;
    if (wkWebView_) {
        url = wkWebView_->URL();
    } else if (uiWebView_) {
        url = uiWebView_->request() ? uiWebView_->request()->url() : std::nullopt;
    } else {
        return;
    }
    if (!url) {
        return;
    }
    std::weak_ptr<KINWebBrowserViewController> weak = self();
    const std::string text = url->absoluteString();
    foundation::DispatchQueue::main()->async([weak, text] {
        auto strong = weak.lock();
        if (!strong) {
            return;
        }
        std::vector<std::shared_ptr<ui::Activity>> activities = {
            std::make_shared<TUSafariActivity>(), std::make_shared<ARChromeActivity>()};
        activities.insert(activities.end(), strong->customActivityItems_.begin(),
                          strong->customActivityItems_.end());
        auto sheet = std::make_shared<ui::ActivityViewController>(
            std::vector<ui::ActivityItem>{ui::ActivityURL{text}}, activities);
        if (ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad) {
            if (strong->actionPopover_) {
                strong->actionPopover_->dismissPopover(true);
            }
            strong->actionPopover_ = std::make_shared<ui::PopoverController>(sheet);
            strong->actionPopover_->presentFromBarButtonItem(strong->actionButton_,
                                                             ui::PopoverArrowDirection::any, true);
        } else {
            strong->presentViewController(sheet, true);
        }
    });
}

// Outside apps.

bool KINWebBrowserViewController::externalAppRequiredToOpenURL(
    const std::optional<foundation::URL>& url) {
    const std::string scheme = url ? url->scheme() : std::string();
    return scheme != "http" && scheme != "https";
}

void KINWebBrowserViewController::launchExternalAppWithURL(const std::string& url) {
    urlToLaunch_ = url;
    permissionAlert_->setDelegate(self());
    if (!permissionAlert_->isVisible()) {
        permissionAlert_->show();
    }
}

void KINWebBrowserViewController::alertViewDidDismissWithButtonIndex(ui::AlertView& alert,
                                                                     int index) {
    if (&alert != permissionAlert_.get()) {
        return;
    }
    if (index != alert.cancelButtonIndex() && urlToLaunch_) {
        ui::Application::shared().openURL(*urlToLaunch_);
    }
    urlToLaunch_.reset();
}

// Newer road.

web::NavigationActionPolicy KINWebBrowserViewController::decidePolicyForNavigationAction(
    web::WebView& webView, const web::NavigationAction& action) {
    if (&webView != wkWebView_.get()) {
        return web::NavigationActionPolicy::allow;
    }
    const auto& url = action.request.url();
    if (externalAppRequiredToOpenURL(url)) {
        if (url && ui::Application::shared().canOpenURL(url->absoluteString())) {
            launchExternalAppWithURL(url->absoluteString());
            return web::NavigationActionPolicy::cancel;
        }
        return web::NavigationActionPolicy::allow;
    }
    if (!action.targetFrame) {
        if (url) {
            loadURL(*url);
        }
        return web::NavigationActionPolicy::cancel;
    }
    return web::NavigationActionPolicy::allow;
}

std::shared_ptr<web::WebView> KINWebBrowserViewController::createWebView(
    web::WebView& webView, const web::NavigationAction& action) {
    if (!action.targetFrame || !action.targetFrame->isMainFrame) {
        webView.loadRequest(action.request);
    }
    return nullptr;
}

void KINWebBrowserViewController::didStartProvisionalNavigation(web::WebView& webView) {
    if (&webView != wkWebView_.get()) {
        return;
    }
    updateToolbarState();
    if (auto delegate = delegate_.lock()) {
        delegate->webBrowserDidStartLoadingURL(*this, webView.URL());
    }
}

void KINWebBrowserViewController::didFinishNavigation(web::WebView& webView) {
    if (&webView != wkWebView_.get()) {
        return;
    }
    updateToolbarState();
    if (auto delegate = delegate_.lock()) {
        delegate->webBrowserDidFinishLoadingURL(*this, webView.URL());
    }
}

void KINWebBrowserViewController::didFailProvisionalNavigation(web::WebView& webView,
                                                               const net::URLError& error) {
    didFailNavigation(webView, error);
}

void KINWebBrowserViewController::didFailNavigation(web::WebView& webView,
                                                    const net::URLError& error) {
    if (&webView != wkWebView_.get()) {
        return;
    }
    updateToolbarState();
    if (auto delegate = delegate_.lock()) {
        delegate->webBrowserDidFailToLoadURL(*this, webView.URL(), error);
    }
}

void KINWebBrowserViewController::estimatedProgressChanged() {
    if (!wkWebView_ || !progressView_) {
        return;
    }
    const double progress = wkWebView_->estimatedProgress();
    progressView_->setAlpha(1);
    progressView_->setProgress(progress, progress > progressView_->progress());
    if (progress >= 1) {
        fadeOutProgress();
    }
}

void KINWebBrowserViewController::fadeOutProgress() {
    std::weak_ptr<ui::ProgressView> weak = progressView_;
    ui::ViewAnimation::animate(
        0.3, 0.3, ui::ViewAnimationOptions::curveEaseOut,
        [weak] {
            if (auto bar = weak.lock()) {
                bar->setAlpha(0);
            }
        },
        [weak](bool) {
            if (auto bar = weak.lock()) {
                bar->setProgress(0, false);
            }
        });
}

// Classic road.

bool KINWebBrowserViewController::webViewShouldStartLoad(web::WebView& webView,
                                                         const net::URLRequest& request,
                                                         web::NavigationType) {
    if (&webView != uiWebView_.get()) {
        return false;
    }
    if (externalAppRequiredToOpenURL(request.url())) {
        if (request.url()) {
            launchExternalAppWithURL(request.url()->absoluteString());
        }
        return false;
    }
    uiWebViewCurrentURL_ = request.url();
    uiWebViewIsLoading_ = true;
    updateToolbarState();
    fakeProgressViewStartLoading();
    if (auto delegate = delegate_.lock()) {
        delegate->webBrowserDidStartLoadingURL(*this, request.url());
    }
    return true;
}

void KINWebBrowserViewController::webViewDidFinishLoad(web::WebView& webView) {
    if (&webView == uiWebView_.get() && !webView.isLoading()) {
        uiWebViewIsLoading_ = false;
        updateToolbarState();
        fakeProgressBarStopLoading();
    }
    if (auto delegate = delegate_.lock()) {
        delegate->webBrowserDidFinishLoadingURL(
            *this, webView.request() ? webView.request()->url() : std::nullopt);
    }
}

void KINWebBrowserViewController::webViewDidFailLoad(web::WebView& webView,
                                                     const net::URLError& error) {
    if (&webView == uiWebView_.get() && !webView.isLoading()) {
        uiWebViewIsLoading_ = false;
        updateToolbarState();
        fakeProgressBarStopLoading();
    }
    if (auto delegate = delegate_.lock()) {
        delegate->webBrowserDidFailToLoadURL(
            *this, webView.request() ? webView.request()->url() : std::nullopt, error);
    }
}

void KINWebBrowserViewController::fakeProgressViewStartLoading() {
    if (progressView_) {
        progressView_->setProgress(0, false);
        progressView_->setAlpha(1);
    }
    if (!fakeProgressTimer_) {
        std::weak_ptr<KINWebBrowserViewController> weak = self();
        fakeProgressTimer_ =
            foundation::Timer::scheduled(kFakeProgressInterval, true, [weak](foundation::Timer&) {
                if (auto strong = weak.lock()) {
                    strong->fakeProgressTimerDidFire();
                }
            });
    }
}

void KINWebBrowserViewController::fakeProgressTimerDidFire() {
    if (!uiWebView_ || !progressView_ || !uiWebView_->isLoading()) {
        return;
    }
    const double p = progressView_->progress();
    if (p >= 0.95) {
        return;
    }
    const double next = p < 0.75 ? p + 0.005 / (p + 0.2) : p + 0.0005;
    progressView_->setProgress(next, true);
}

void KINWebBrowserViewController::fakeProgressBarStopLoading() {
    if (fakeProgressTimer_) {
        fakeProgressTimer_->invalidate();
        fakeProgressTimer_.reset();
    }
    if (progressView_) {
        progressView_->setProgress(1, true);
        fadeOutProgress();
    }
}
