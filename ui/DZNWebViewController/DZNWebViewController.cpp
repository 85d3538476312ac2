#include "ui/DZNWebViewController/DZNWebViewController.h"

#include <cmath>

#include "platform/foundation/Bundle.h"
#include "platform/foundation/FileManager.h"
#include "platform/foundation/PathUtilities.h"
#include "platform/foundation/StringUtilities.h"
#include "platform/ui/ActivityViewController.h"
#include "platform/ui/AlertView.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"
#include "platform/ui/Label.h"
#include "platform/ui/LongPressGestureRecognizer.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/NavigationItem.h"
#include "platform/ui/Screen.h"
#include "platform/ui/TableViewController.h"
#include "platform/ui/ViewAnimation.h"
#include "ui/DZNWebViewController/DZNPolyActivity.h"

namespace {

constexpr unsigned kHistoryBackward = 1;
constexpr unsigned kHistoryForward = 2;

std::string localized(const char* key) {
    return foundation::Bundle::main().localizedString(key, "", "DZNWebViewController");
}

bool isImage(const ui::ActivityItem& item) {
    return std::holds_alternative<graphics::Image::Ptr>(item);
}

// The address an item of the share sheet stands for.
std::string addressOf(const ui::ActivityItem& item) {
    if (const auto* url = std::get_if<ui::ActivityURL>(&item)) {
        return url->url;
    }
    return std::get<std::string>(item);
}

}  // namespace

DZNWebViewController::Ptr DZNWebViewController::make() {
    auto controller = std::make_shared<DZNWebViewController>();
    controller->commonInit();
    return controller;
}

DZNWebViewController::Ptr DZNWebViewController::makeWithURL(const foundation::URL& url) {
    auto controller = make();
    controller->url_ = url;
    return controller;
}

DZNWebViewController::DZNWebViewController() = default;

DZNWebViewController::~DZNWebViewController() {
    if (observingBar_) {
        if (auto bar = navigationBar_.lock()) {
            bar->removeObserver(this);
        }
    }
    if (webView_) {
        webView_->removeObserver(this, "loading");
        webView_->scrollView()->setDelegate(std::weak_ptr<ui::ScrollViewDelegate>());
        webView_->setNavDelegate(nullptr);
        webView_->setUIDelegate(nullptr);
    }
    if (popover_) {
        popover_->dismissPopover(false);
    }
}

DZNWebViewController::Ptr DZNWebViewController::self() {
    return std::static_pointer_cast<DZNWebViewController>(
        std::static_pointer_cast<ui::ViewController>(weak_from_this().lock()));
}

void DZNWebViewController::commonInit() {
    auto me = self();
    navigationItem().setRightBarButtonItem(
        ui::BarButtonItem::withTitle("", ui::BarButtonItemStyle::bordered));
    webView_ = std::make_shared<DZNWebView>(ui::Screen::mainScreen().bounds());
    webView_->setBackgroundColor(graphics::Color::whiteColor());
    webView_->setAllowsBackForwardNavigationGestures(true);
    webView_->setUIDelegate(me);
    webView_->setNavDelegate(me);
    webView_->scrollView()->setDelegate(std::static_pointer_cast<ui::TableViewDelegate>(me));
    std::weak_ptr<DZNWebViewController> weak = me;
    webView_->addObserver(me, "loading", [weak](const foundation::KeyValueChange&) {
        if (auto strong = weak.lock()) {
            strong->updateToolbarItems();
        }
    });
}

void DZNWebViewController::setURL(const std::optional<foundation::URL>& url) {
    if (url_ && url && url_->absoluteString() == url->absoluteString()) {
        return;
    }
    url_ = url;
    if (isViewLoaded() && url_) {
        loadURL(*url_);
    }
}

// Images and items.

const graphics::Image::Ptr& DZNWebViewController::image(graphics::Image::Ptr& slot,
                                                        const char* name) {
    if (!slot) {
        slot = graphics::Image::imageNamed(name);
    }
    return slot;
}

const graphics::Image::Ptr& DZNWebViewController::backwardButtonImage() {
    return image(backwardImage_, "dzn_icn_toolbar_backward");
}
const graphics::Image::Ptr& DZNWebViewController::forwardButtonImage() {
    return image(forwardImage_, "dzn_icn_toolbar_forward");
}
const graphics::Image::Ptr& DZNWebViewController::stopButtonImage() {
    return image(stopImage_, "dzn_icn_toolbar_stop");
}
const graphics::Image::Ptr& DZNWebViewController::reloadButtonImage() {
    return image(reloadImage_, "dzn_icn_toolbar_reload");
}
const graphics::Image::Ptr& DZNWebViewController::actionButtonImage() {
    return image(actionImage_, "dzn_icn_toolbar_action");
}

ui::BarButtonItem::Action DZNWebViewController::action(void (DZNWebViewController::*method)()) {
    std::weak_ptr<DZNWebViewController> weak = self();
    return [weak, method](ui::BarButtonItem&) {
        if (auto strong = weak.lock()) {
            ((*strong).*method)();
        }
    };
}

const ui::BarButtonItem::Ptr& DZNWebViewController::toolItem(ui::BarButtonItem::Ptr& slot,
                                                             const graphics::Image::Ptr& image,
                                                             void (DZNWebViewController::*method)(),
                                                             const char* label) {
    if (!slot) {
        slot = ui::BarButtonItem::withImage(image, ui::BarButtonItemStyle::plain, action(method));
        slot->setAccessibilityLabel(localized(label));
        slot->setEnabled(false);
    }
    return slot;
}

const ui::BarButtonItem::Ptr& DZNWebViewController::backwardBarItem() {
    return toolItem(backwardItem_, backwardButtonImage(), &DZNWebViewController::goBackward,
                    "Backward");
}

const ui::BarButtonItem::Ptr& DZNWebViewController::forwardBarItem() {
    return toolItem(forwardItem_, forwardButtonImage(), &DZNWebViewController::goForward,
                    "Forward");
}

const ui::BarButtonItem::Ptr& DZNWebViewController::stateBarItem() {
    if (!stateItem_) {
        stateItem_ = ui::BarButtonItem::withImage(nullptr);
        updateStateBarItem();
    }
    return stateItem_;
}

const ui::BarButtonItem::Ptr& DZNWebViewController::actionBarItem() {
    return toolItem(actionItem_, actionButtonImage(),
                    &DZNWebViewController::presentActivityController, "Share");
}

std::vector<ui::BarButtonItem::Ptr> DZNWebViewController::navigationToolItems() {
    std::vector<ui::BarButtonItem::Ptr> items;
    if (tools_ & kNavigationToolBackward) {
        items.push_back(backwardBarItem());
    }
    if (tools_ & kNavigationToolForward) {
        items.push_back(ui::BarButtonItem::flexibleSpace());
        items.push_back(forwardBarItem());
    }
    if (tools_ & kNavigationToolStopReload) {
        items.push_back(ui::BarButtonItem::flexibleSpace());
        items.push_back(stateBarItem());
    }
    if (actions_ != 0) {
        items.push_back(ui::BarButtonItem::flexibleSpace());
        items.push_back(actionBarItem());
    }
    return items;
}

// Loading.

void DZNWebViewController::loadURL(const foundation::URL& url) {
    const std::string directory = foundation::deletingLastPathComponent(url.path());
    loadURL(url, foundation::URL::fileURL(directory, true));
}

void DZNWebViewController::loadURL(const foundation::URL& url,
                                   const std::optional<foundation::URL>& baseURL) {
    if (!url.isFileURL()) {
        webView_->loadRequest(net::URLRequest(url));
        return;
    }
    const auto data = foundation::FileManager::defaultManager().contentsAtPath(url.path());
    if (!data) {
        return;
    }
    // Pages are UTF-8 when they decode as such, else Latin-1.
    auto html = foundation::stringFromData(*data, "UTF-8");
    if (!html) {
        html = foundation::stringFromData(*data, "ISO-8859-1");
    }
    if (html) {
        webView_->loadHTMLString(*html, baseURL);
    }
}

void DZNWebViewController::goBackward() {
    if (webView_->canGoBack()) {
        webView_->goBack();
    }
}

void DZNWebViewController::goForward() {
    if (webView_->canGoForward()) {
        webView_->goForward();
    }
}

void DZNWebViewController::closeMe() {
    if (auto navigation = navigationController()) {
        navigation->dismissViewController(true);
    }
}

// Title.

void DZNWebViewController::setTitle(const std::string& title) {
    if (!showPageTitleAndURL_) {
        ui::ViewController::setTitle(title);
        return;
    }
    auto label = std::dynamic_pointer_cast<ui::Label>(navigationItem().titleView());
    if (!label) {
        label = std::make_shared<ui::Label>();
        label->setNumberOfLines(2);
        label->setTextAlignment(ui::TextAlignment::center);
        label->setAutoresizingMask(ui::Autoresizing::flexibleWidth |
                                   ui::Autoresizing::flexibleHeight);
        navigationItem().setTitleView(label);
    }
    if (title.empty()) {
        label->setAttributedText(std::nullopt);
        label->setText("");
        return;
    }
    auto navigation = navigationController();
    auto bar = navigation ? navigation->navigationBar() : nullptr;
    const ui::Font titleFont =
        bar && bar->titleFont() ? *bar->titleFont() : ui::Font::boldSystemFontOfSize(12);
    const ui::Font urlFont = titleFont.fontWithSize(titleFont.pointSize() - 2);
    const graphics::Color color =
        bar && bar->titleColor() ? *bar->titleColor() : graphics::Color::blackColor();
    ui::AttributedString text(title, {titleFont, color, std::nullopt});
    if (const auto& url = webView_->URL()) {
        text.append("\n" + url->absoluteString(), {urlFont, color, std::nullopt});
    }
    label->setAttributedText(text);
    label->sizeToFit();
    if (bar) {
        auto frame = label->frame();
        frame.size.height = bar->frame().size.height;
        label->setFrame(frame);
    }
}

// Bars.

void DZNWebViewController::configureToolBars() {
    auto items = navigationToolItems();
    if (ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad) {
        navigationItem().setRightBarButtonItems({items.rbegin(), items.rend()});
    } else {
        setToolbarItems(items);
    }
    auto navigation = navigationController();
    if (!navigation) {
        return;
    }
    toolbar_ = navigation->toolbar();
    navigationBar_ = navigation->navigationBar();
    navigationBarSuperView_ = navigation->navigationBar()->superview();
    navigation->setHidesBarsOnSwipe(hideBarsWithGestures_);
    navigation->setHidesBarsWhenKeyboardAppears(hideBarsWithGestures_);
    navigation->setHidesBarsWhenVerticallyCompact(hideBarsWithGestures_);
    if (hideBarsWithGestures_ && !observingBar_) {
        auto bar = navigation->navigationBar();
        std::weak_ptr<DZNWebViewController> weak = self();
        bar->addObserver(self(), "hidden", [weak](const foundation::KeyValueChange&) {
            if (auto strong = weak.lock()) {
                strong->navigationBarHiddenChanged();
            }
        });
        bar->addObserver(self(), "center", [weak](const foundation::KeyValueChange&) {
            if (auto strong = weak.lock()) {
                strong->navigationBarCenterChanged();
            }
        });
        bar->addObserver(self(), "alpha", [](const foundation::KeyValueChange&) {});
        observingBar_ = true;
    }
    if (ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::phone &&
        navigation->isToolbarHidden() && !toolbarItems().empty()) {
        navigation->setToolbarHidden(false);
    }
}

void DZNWebViewController::navigationBarHiddenChanged() {
    const auto orientation = ui::Application::shared().statusBarOrientation();
    auto bar = navigationBar_.lock();
    if (!bar || orientation == ui::InterfaceOrientation::landscapeLeft ||
        orientation == ui::InterfaceOrientation::landscapeRight) {
        return;
    }
    if (bar->isHidden() && bar->center().y >= -2) {
        bar->setHidden(false);
        auto home = navigationBarSuperView_.lock();
        if (!bar->superview() && home) {
            home->addSubview(bar);
        }
    }
}

void DZNWebViewController::navigationBarCenterChanged() {
    const auto orientation = ui::Application::shared().statusBarOrientation();
    auto bar = navigationBar_.lock();
    if (!bar || orientation == ui::InterfaceOrientation::landscapeLeft ||
        orientation == ui::InterfaceOrientation::landscapeRight) {
        return;
    }
    const auto center = bar->center();
    if (center.y >= -2) {
        return;
    }
    bar->setCenter({center.x, -2});
    ui::ViewAnimation::beginAnimations("DZNNavigationBarAnimation");
    const auto& subviews = bar->subviews();
    for (std::size_t i = 1; i < subviews.size(); ++i) {
        subviews[i]->setAlpha(0);
    }
    ui::ViewAnimation::commitAnimations();
}

void DZNWebViewController::updateToolbarItems() {
    ui::Application::shared().setNetworkActivityIndicatorVisible(webView_->isLoading());
    backwardBarItem()->setEnabled(webView_->canGoBack());
    forwardBarItem()->setEnabled(webView_->canGoForward());
    actionBarItem()->setEnabled(!webView_->isLoading());
    updateStateBarItem();
}

void DZNWebViewController::updateStateBarItem() {
    auto& item = stateItem_ ? stateItem_ : stateBarItem();
    std::weak_ptr<web::WebView> web = webView_;
    const bool loading = webView_->isLoading();
    item->setAction([web, loading](ui::BarButtonItem&) {
        if (auto view = web.lock()) {
            if (loading) {
                view->stopLoading();
            } else {
                view->reload();
            }
        }
    });
    item->setImage(loading ? stopButtonImage() : reloadButtonImage());
    item->setAccessibilityLabel(localized(loading ? "Stop" : "Reload"));
    item->setLandscapeImagePhone(nullptr);
    item->setEnabled(true);
}

// Progress.

void DZNWebViewController::webViewDidUpdateProgress(web::WebView&, double progress) {
    if (!showLoadingProgress_) {
        destroyProgressViewIfNeeded();
        return;
    }
    if (!progressView_) {
        auto navigation = navigationController();
        auto bar = navigation ? navigation->navigationBar() : nullptr;
        const double width = bar ? bar->frame().size.width : 0;
        const double height = bar ? bar->frame().size.height : 0;
        progressView_ = std::make_shared<ui::ProgressView>();
        progressView_->setFrame({0, height - 2, width, 2});
        progressView_->setTrackTintColor(graphics::Color::clearColor());
        progressView_->setAlpha(0);
        if (bar) {
            bar->addSubview(progressView_);
        }
    }
    auto bar = progressView_;
    if (progress > 0 && bar->alpha() == 0) {
        bar->setProgress(0);
        ui::ViewAnimation::animate(0.2, [bar] { bar->setAlpha(1); });
    } else if (progress == 1 && bar->alpha() == 1) {
        ui::ViewAnimation::animate(
            0.2, [bar] { bar->setAlpha(0); }, [bar](bool) { bar->setProgress(0); });
    }
    bar->setProgress(progress, true);
}

void DZNWebViewController::clearProgressViewAnimated(bool animated) {
    if (!progressView_) {
        return;
    }
    auto bar = progressView_;
    std::weak_ptr<DZNWebViewController> weak = self();
    ui::ViewAnimation::animate(
        animated ? 0.25 : 0, [bar] { bar->setAlpha(0); },
        [weak](bool) {
            if (auto strong = weak.lock()) {
                strong->destroyProgressViewIfNeeded();
            }
        });
}

void DZNWebViewController::destroyProgressViewIfNeeded() {
    if (progressView_) {
        progressView_->removeFromSuperview();
        progressView_.reset();
    }
}

// Share sheet.

void DZNWebViewController::presentActivityController() {
    const auto& url = webView_->URL();
    if (!url) {
        return;
    }
    presentActivityControllerWithItem(ui::ActivityItem(url->absoluteString()), webView_->title(),
                                      actionItem_);
}

void DZNWebViewController::presentActivityControllerWithItem(
    const std::optional<ui::ActivityItem>& item, const std::string& title,
    const ui::BarButtonItem::Ptr& sender) {
    if (!item) {
        return;
    }
    std::vector<ui::ActivityItem> items;
    if (!title.empty()) {
        items.emplace_back(title);
    }
    items.push_back(*item);
    auto sheet =
        std::make_shared<ui::ActivityViewController>(items, applicationActivitiesForItem(*item));
    sheet->setExcludedActivityTypes(excludedActivityTypesForItem(*item));
    if (!title.empty()) {
        sheet->setSubject(title);
    }
    if (ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad) {
        sheet->popoverPresentationController().setBarButtonItem(sender);
    }
    presentViewController(sheet, true);
}

std::vector<std::shared_ptr<ui::Activity>> DZNWebViewController::applicationActivitiesForItem(
    const ui::ActivityItem& item) const {
    std::vector<std::shared_ptr<ui::Activity>> activities;
    if (isImage(item)) {
        return activities;
    }
    const std::pair<unsigned, unsigned> kinds[] = {
        {kWebActionCopyLink, DZNPolyActivity::copyLink},
        {kWebActionOpenSafari, DZNPolyActivity::openInSafari},
        {kWebActionOpenChrome, DZNPolyActivity::openInChrome},
        {kWebActionOpenOperaMini, DZNPolyActivity::openInOpera},
        {kWebActionOpenDolphin, DZNPolyActivity::openInDolphin},
    };
    for (const auto& [bit, type] : kinds) {
        if (supportsAllActions() || (actions_ & bit)) {
            // The page's address, not the first item that reads as one (a
            // one-word page title does).
            activities.push_back(DZNPolyActivity::activityWithType(type, addressOf(item)));
        }
    }
    return activities;
}

std::vector<std::string> DZNWebViewController::excludedActivityTypesForItem(
    const ui::ActivityItem& item) const {
    std::vector<std::string> excluded;
    if (!isImage(item)) {
        excluded = {ui::ActivityTypeCopyToPasteboard, ui::ActivityTypeSaveToCameraRoll,
                    ui::ActivityTypePostToFlickr, ui::ActivityTypePrint,
                    ui::ActivityTypeAssignToContact};
    }
    if (supportsAllActions()) {
        return excluded;
    }
    if (!(actions_ & kWebActionShare)) {
        excluded.insert(
            excluded.end(),
            {ui::ActivityTypeMail, ui::ActivityTypeMessage, ui::ActivityTypePostToFacebook,
             ui::ActivityTypePostToTwitter, ui::ActivityTypePostToWeibo,
             ui::ActivityTypePostToTencentWeibo, ui::ActivityTypeAirDrop});
    }
    if (!(actions_ & kWebActionReadLater) && isImage(item)) {
        excluded.push_back(ui::ActivityTypeAddToReadingList);
    }
    return excluded;
}

// History.

void DZNWebViewController::configureBarItemsGestures() {
    auto attach = [this](const ui::BarButtonItem::Ptr& item,
                         std::shared_ptr<ui::GestureRecognizer>& recognizer,
                         void (DZNWebViewController::*method)(ui::GestureRecognizer&)) {
        const auto& view = item->view();
        if (!view->gestureRecognizers().empty()) {
            return;
        }
        if (!recognizer) {
            std::weak_ptr<DZNWebViewController> weak = self();
            recognizer = std::make_shared<ui::LongPressGestureRecognizer>(
                [weak, method](ui::GestureRecognizer& gesture) {
                    if (auto strong = weak.lock()) {
                        ((*strong).*method)(gesture);
                    }
                });
        }
        view->addGestureRecognizer(recognizer);
    };
    attach(backwardBarItem(), backwardLongPress_, &DZNWebViewController::showBackwardHistory);
    attach(forwardBarItem(), forwardLongPress_, &DZNWebViewController::showForwardHistory);
}

std::vector<web::BackForwardItem> DZNWebViewController::historyList(unsigned tool) const {
    if (tool == kHistoryBackward) {
        return webView_->backForwardList().backList();
    }
    if (tool == kHistoryForward) {
        return webView_->backForwardList().forwardList();
    }
    return {};
}

void DZNWebViewController::showBackwardHistory(ui::GestureRecognizer& recognizer) {
    if (!allowHistory_ || recognizer.state() != ui::GestureRecognizerState::began ||
        historyList(kHistoryBackward).empty()) {
        return;
    }
    presentHistoryControllerForTool(kHistoryBackward, recognizer.view());
}

void DZNWebViewController::showForwardHistory(ui::GestureRecognizer& recognizer) {
    if (!allowHistory_ || recognizer.state() != ui::GestureRecognizerState::began ||
        historyList(kHistoryForward).empty()) {
        return;
    }
    presentHistoryControllerForTool(kHistoryForward, recognizer.view());
}

void DZNWebViewController::presentHistoryControllerForTool(unsigned tool,
                                                           const ui::View::Ptr& view) {
    auto list = std::make_shared<ui::TableViewController>();
    list->setTitle(localized("History"));
    auto table = list->tableView();
    table->setTableDelegate(std::static_pointer_cast<ui::TableViewDelegate>(self()));
    table->setDataSource(self());
    table->setTag(static_cast<int>(tool));
    std::weak_ptr<DZNWebViewController> weak = self();
    list->navigationItem().setRightBarButtonItem(ui::BarButtonItem::withSystemItem(
        ui::BarButtonSystemItem::done, [weak](ui::BarButtonItem&) {
            if (auto strong = weak.lock()) {
                strong->dismissHistoryController();
            }
        }));
    auto navigation = ui::NavigationController::withRootViewController(list);
    if (ui::Device::currentDevice().userInterfaceIdiom() == ui::UserInterfaceIdiom::pad) {
        auto bar = navigationBar_.lock();
        const auto rect =
            view && bar ? view->convertRectToView(view->bounds(), bar.get()) : graphics::Rect();
        popover_ = std::make_shared<ui::PopoverController>(navigation);
        popover_->presentFromRect(rect, bar, 15, true);
    } else {
        presentViewController(navigation, true);
    }
}

void DZNWebViewController::dismissHistoryController() {
    if (popover_ && popover_->isPopoverVisible()) {
        popover_->dismissPopover(true);
        popover_.reset();
        configureBarItemsGestures();
    } else if (presentedViewController()) {
        std::weak_ptr<DZNWebViewController> weak = self();
        dismissViewController(true, [weak] {
            if (auto strong = weak.lock()) {
                strong->configureBarItemsGestures();
            }
        });
    }
}

int DZNWebViewController::numberOfRowsInSection(ui::TableView& table, int) {
    return static_cast<int>(historyList(static_cast<unsigned>(table.tag())).size());
}

ui::TableViewCell::Ptr DZNWebViewController::cellForRowAtIndexPath(ui::TableView& table,
                                                                   ui::IndexPath indexPath) {
    auto cell = table.dequeueReusableCellWithIdentifier("Cell");
    if (!cell) {
        cell = std::make_shared<ui::TableViewCell>(ui::TableViewCellStyle::subtitle, "Cell");
    }
    const auto list = historyList(static_cast<unsigned>(table.tag()));
    const auto& item = list.at(static_cast<std::size_t>(indexPath.row));
    cell->textLabel()->setText(item.title);
    cell->detailTextLabel()->setText(item.url.absoluteString());
    return cell;
}

void DZNWebViewController::didSelectRowAtIndexPath(ui::TableView& table, ui::IndexPath indexPath) {
    const auto tool = static_cast<unsigned>(table.tag());
    const int count = static_cast<int>(historyList(tool).size());
    // Back rows count back from the current page, forward rows on from it.
    const int offset = tool == kHistoryBackward ? indexPath.row - count : indexPath.row + 1;
    webView_->goToBackForwardListItem(offset);
    dismissHistoryController();
}

// Lifecycle.

void DZNWebViewController::loadView() {
    ui::ViewController::loadView();
    setView(webView_);
    setAutomaticallyAdjustsScrollViewInsets(true);
}

void DZNWebViewController::viewWillAppear(bool animated) {
    if (!completedInitialLoad_) {
        ui::ViewAnimation::performWithoutAnimation([this] { configureToolBars(); });
        completedInitialLoad_ = true;
    }
    if (!webView_->URL() && url_) {
        loadURL(*url_);
    }
}

void DZNWebViewController::viewDidAppear(bool animated) {
    if (!gesturesConfigured_) {
        gesturesConfigured_ = true;
        configureBarItemsGestures();
    }
}

void DZNWebViewController::viewWillDisappear(bool animated) {
    clearProgressViewAnimated(animated);
}

void DZNWebViewController::viewDidDisappear(bool animated) {
    webView_->stopLoading();
}

// Navigation.

void DZNWebViewController::didStartProvisionalNavigation(web::WebView&) {
    updateStateBarItem();
}

void DZNWebViewController::didCommitNavigation(web::WebView& webView) {
    ui::Application::shared().setNetworkActivityIndicatorVisible(webView.isLoading());
}

void DZNWebViewController::didFinishNavigation(web::WebView& webView) {
    if (showPageTitleAndURL_) {
        setTitle(webView.title());
    }
}

void DZNWebViewController::didFailProvisionalNavigation(web::WebView&, const net::URLError& error) {
    failed(error);
}

void DZNWebViewController::didFailNavigation(web::WebView&, const net::URLError& error) {
    failed(error);
}

void DZNWebViewController::failed(const net::URLError& error) {
    if (error.code != net::URLErrorCode::cancelled) {
        setTitle("");
    }
    setLoadingError(error);
}

void DZNWebViewController::setLoadingError(const net::URLError& error) {
    if (error.code == net::URLErrorCode::cancelled || error.code == net::URLErrorCode::unknown) {
        return;
    }
    ui::Application::shared().setNetworkActivityIndicatorVisible(false);
    ui::AlertView::make(foundation::localizedString("Error"), error.localizedDescription,
                        std::weak_ptr<ui::AlertViewDelegate>(), foundation::localizedString("OK"))
        ->show();
}

std::shared_ptr<web::WebView> DZNWebViewController::createWebView(
    web::WebView& webView, const web::NavigationAction& action) {
    if (!action.targetFrame || !action.targetFrame->isMainFrame) {
        webView.loadRequest(action.request);
    }
    return nullptr;
}
