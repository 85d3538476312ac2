#include "ads/presentation/GADBrowserViewController.h"

#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADStatisticDictionary.h"
#include "ads/presentation/GADBrowserWebView.h"
#include "ads/presentation/GADBrowserWebViewDelegate.h"
#include "ads/presentation/GADIntrinsicImages.h"
#include "ads/presentation/GADScreenSlot.h"
#include "ads/webview/GADOpener.h"
#include "platform/graphics/Color.h"
#include "platform/net/URLRequest.h"
#include "platform/ui/Device.h"
#include "platform/ui/TextView.h"

namespace {

constexpr double kButtonWidth = 27;
constexpr double kSpinnerSize = 20;

}  // namespace

GADBrowserViewController::~GADBrowserViewController() {
    if (webView_) {
        webView_->setDelegate(nullptr);
    }
}

void GADBrowserViewController::viewDidLoad() {
    GADViewController::viewDidLoad();
    view()->setBackgroundColor(graphics::Color::whiteColor());
}

void GADBrowserViewController::viewWillAppear(bool animated) {
    GADViewController::viewWillAppear(animated);
    if (webView_) {
        return;
    }
    using ui::Autoresizing;
    double height = kToolbarHeight;
    int webViewMask = Autoresizing::flexibleWidth | Autoresizing::flexibleHeight;
    if (ui::Device::currentDevice().userInterfaceIdiom() != ui::UserInterfaceIdiom::pad &&
        GADDevice::currentDevice().isOrientationLandscape()) {
        height = kLandscapePhoneToolbarHeight;
        webViewMask |= Autoresizing::flexibleBottomMargin;
    }
    const graphics::Rect bounds = view()->bounds();
    // The web view runs one point under the toolbar.
    const double y = bounds.size.height - height + 1;

    webView_ = std::make_shared<GADBrowserWebView>(graphics::Rect(0, 0, bounds.size.width, y));
    webView_->setViewController(self());
    webView_->setShowDebug(false);
    webView_->setAutoresizingMask(webViewMask);
    webView_->setDataDetectorTypes(static_cast<int>(ui::DataDetectorTypes::all));
    view()->addSubview(webView_);

    webViewDelegate_ = std::make_shared<GADBrowserWebViewDelegate>();
    webView_->setDelegate(webViewDelegate_);

    if (URLToLoad_) {
        load(URLToLoad_, referringURLToLoad_);
        URLToLoad_.reset();
        referringURLToLoad_.reset();
    }

    toolbar_ = std::make_shared<ui::Toolbar>(graphics::Rect(0, y, bounds.size.width, height));
    toolbar_->setAutoresizingMask(Autoresizing::flexibleWidth | Autoresizing::flexibleTopMargin |
                                  Autoresizing::flexibleBottomMargin);
    toolbar_->setAutoresizesSubviews(true);
    toolbar_->setTintColor(graphics::Color::blackColor());
    view()->addSubview(toolbar_);

    createToolbarButtons();
    refreshToolbar();
}

void GADBrowserViewController::didRotateFromInterfaceOrientation(ui::InterfaceOrientation from) {
    GADViewController::didRotateFromInterfaceOrientation(from);
    if (webView_) {
        webView_->didRotateToOrientation(static_cast<int>(interfaceOrientation()));
    }
}

std::shared_ptr<GADBrowserViewController> GADBrowserViewController::self() {
    return std::static_pointer_cast<GADBrowserViewController>(shared_from_this());
}

ui::BarButtonItem::Ptr GADBrowserViewController::buttonWithImage(const graphics::Image::Ptr& image,
                                                                 const std::string& name,
                                                                 double width, bool enabled,
                                                                 ui::BarButtonItem::Action action) {
    auto item =
        ui::BarButtonItem::withImage(image, ui::BarButtonItemStyle::plain, std::move(action));
    item->setWidth(width);
    item->setEnabled(enabled);
    item->setIsAccessibilityElement(true);
    item->setAccessibilityLabel(name);
    return item;
}

ui::BarButtonItem::Action GADBrowserViewController::perform(
    void (GADBrowserViewController::*action)()) {
    std::weak_ptr<GADBrowserViewController> weak = self();
    return [weak, action](ui::BarButtonItem&) {
        if (auto controller = weak.lock()) {
            ((*controller).*action)();
        }
    };
}

void GADBrowserViewController::createToolbarButtons() {
    auto& images = GADIntrinsicImages::sharedInstance();
    flexibleSpaceButton_ = ui::BarButtonItem::flexibleSpace();
    backButton_ = buttonWithImage(images.browserBackButton(), "Back", kButtonWidth, false,
                                  perform(&GADBrowserViewController::back));
    forwardButton_ = buttonWithImage(images.browserForwardButton(), "Forward", kButtonWidth, false,
                                     perform(&GADBrowserViewController::forward));

    spinner_ = std::make_shared<ui::ActivityIndicatorView>(ui::ActivityIndicatorViewStyle::white);
    spinner_->setFrame({0, 0, kSpinnerSize, kSpinnerSize});
    spinner_->setAutoresizingMask(ui::Autoresizing::flexibleLeftMargin |
                                  ui::Autoresizing::flexibleRightMargin);
    spinnerContainingButton_ = ui::BarButtonItem::withCustomView(spinner_);
    spinnerContainingButton_->setWidth(kSpinnerSize);
    spinnerContainingButton_->setEnabled(true);
    spinnerContainingButton_->setAccessibilityLabel("Spinner");

    reloadButton_ = ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::refresh,
                                                      perform(&GADBrowserViewController::reload));
    reloadButton_->setWidth(kButtonWidth);
    reloadButton_->setAccessibilityLabel("Reload");

    safariButton_ = ui::BarButtonItem::withSystemItem(
        ui::BarButtonSystemItem::action, perform(&GADBrowserViewController::openInSafari));
    safariButton_->setWidth(kButtonWidth);
    safariButton_->setEnabled(false);
    safariButton_->setAccessibilityLabel("View in Safari");

    doneButton_ = ui::BarButtonItem::withSystemItem(
        ui::BarButtonSystemItem::done, perform(&GADBrowserViewController::relinquishScreen));
    doneButton_->setStyle(ui::BarButtonItemStyle::done);
    doneButton_->setAccessibilityLabel("Done");
}

void GADBrowserViewController::refreshToolbar() {
    if (!webView_ || !toolbar_) {
        return;
    }
    backButton_->setEnabled(webView_->canGoBack());
    forwardButton_->setEnabled(webView_->canGoForward());
    const bool loading = webView_->isLoading();
    if (loading) {
        spinner_->startAnimating();
    } else {
        spinner_->stopAnimating();
    }
    safariButton_->setEnabled(!loading);
    const auto& space = flexibleSpaceButton_;
    toolbar_->setItems({backButton_, space, forwardButton_, space,
                        loading ? spinnerContainingButton_ : reloadButton_, space, safariButton_,
                        space, doneButton_});
}

void GADBrowserViewController::load(const std::optional<foundation::URL>& url) {
    load(url, std::nullopt);
}

void GADBrowserViewController::load(const std::optional<foundation::URL>& url,
                                    const std::optional<foundation::URL>& referringURL) {
    if (!url) {
        return;
    }
    if (!webView_) {
        URLToLoad_ = url;
        referringURLToLoad_ = referringURL;
        return;
    }
    net::URLRequest request(*url);
    if (referringURL) {
        // Only the referring page's host goes with the request.
        request.setValue(referringURL->host().value_or(""), "Referer");
    }
    webView_->loadRequest(request);
}

void GADBrowserViewController::back() {
    if (webView_ && webView_->canGoBack()) {
        webView_->goBack();
    }
}

void GADBrowserViewController::forward() {
    if (webView_ && webView_->canGoForward()) {
        webView_->goForward();
    }
}

void GADBrowserViewController::stop() {
    if (webView_) {
        webView_->stopLoading();
    }
}

void GADBrowserViewController::reload() {
    if (webView_) {
        webView_->reload();
    }
}

void GADBrowserViewController::openInSafari() {
    if (!webView_ || !webView_->request() || !webView_->request()->url()) {
        return;
    }
    auto opener = std::make_shared<GADOpener>();
    opener->setViewController(self());
    opener->setSlot(slot());
    opener->openApp(webView_->request()->url());
    if (auto statistics = adStatistics()) {
        statistics->setObject(kGADOpenedInSystemBrowserKey, foundation::Value(true), true);
    }
}

std::shared_ptr<GADStatisticDictionary> GADBrowserViewController::adStatistics() const {
    auto currentSlot = slot();
    return currentSlot ? currentSlot->adStatistics() : nullptr;
}
