#include "app/ReaderOverlayView.h"

#include <optional>
#include <string>

#include "app/AppDelegate.h"
#include "app/DeveloperPage.h"
#include "app/OverlayScreens.h"
#include "platform/foundation/Bundle.h"
#include "platform/foundation/DispatchQueue.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/URL.h"
#include "platform/net/URLSession.h"
#include "platform/ui/Label.h"
#include "platform/ui/Screen.h"
#include "platform/ui/ViewAnimation.h"

namespace {

ui::NavigationController::Ptr navigation() {
    auto delegate = AppDelegate::shared();
    return delegate ? delegate->nav2() : nullptr;
}

}  // namespace

ReaderOverlayView::Ptr ReaderOverlayView::make() {
    auto overlay = std::make_shared<ReaderOverlayView>();
    overlay->buildToolbar();
    overlay->loadCover();
    return overlay;
}

ReaderOverlayView::ReaderOverlayView()
    : ui::View(ui::Screen::mainScreen().bounds()), tipShowDelay_(5), tipHideDelay_(5) {
    setBackgroundColor(graphics::Color::clearColor());
}

ReaderOverlayView::Ptr ReaderOverlayView::self() {
    return std::static_pointer_cast<ReaderOverlayView>(shared_from_this());
}

void ReaderOverlayView::buildToolbar() {
    const graphics::Rect screen = ui::Screen::mainScreen().bounds();
    toolbar_ = std::make_shared<ui::Toolbar>(
        graphics::Rect(0, screen.size.height - kToolbarHeight, screen.size.width, kToolbarHeight));
    toolbar_->setBarStyle(ui::BarStyle::black);

    std::weak_ptr<ReaderOverlayView> weak = self();
    auto toDismiss = [weak](ui::BarButtonItem&) {
        if (auto overlay = weak.lock())
            overlay->dismiss();
    };
    doneBtn_ = ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::done, toDismiss);
    cancelBtn_ = ui::BarButtonItem::withSystemItem(ui::BarButtonSystemItem::cancel, toDismiss);
    space_ = ui::BarButtonItem::flexibleSpace();
    infoBtn1_ =
        ui::BarButtonItem::withTitle(foundation::localizedString("Light"),
                                     ui::BarButtonItemStyle::bordered, [weak](ui::BarButtonItem&) {
                                         if (auto overlay = weak.lock())
                                             overlay->info();
                                     });
    historyBtn_ = ui::BarButtonItem::withTitle(foundation::localizedString("History"),
                                               ui::BarButtonItemStyle::bordered, toDismiss);
}

void ReaderOverlayView::loadCover() {
    coverView_ = OverlayCoverView::loadFromNib();
    coverView_->setBackgroundColor(graphics::Color::clearColor());
    coverView_->setFrame(ui::Screen::mainScreen().bounds());
    addSubview(coverView_);

    auto delegate = AppDelegate::shared();
    if (!(delegate && delegate->hasTorch())) {
        if (auto light = coverView_->btnLight())
            light->setHidden(true);
    }

    std::weak_ptr<ReaderOverlayView> weak = self();
    auto wire = [&weak](const ui::Button::Ptr& button, void (ReaderOverlayView::*method)()) {
        if (!button)
            return;
        button->addTarget(ui::ControlEvent::touchUpInside, [weak, method](ui::Control&) {
            if (auto overlay = weak.lock())
                (overlay.get()->*method)();
        });
    };
    wire(coverView_->btnAlbum(), &ReaderOverlayView::action);
    wire(coverView_->btnHistory(), &ReaderOverlayView::dismiss);
    wire(coverView_->btnLight(), &ReaderOverlayView::info);
    infoBtn2_ = coverView_->btnLight();
    wire(coverView_->btnMenu(), &ReaderOverlayView::showMenu);
}

void ReaderOverlayView::setMode(int) {
    std::vector<ui::BarButtonItem::Ptr> items{historyBtn_, space_};
    auto delegate = AppDelegate::shared();
    if (delegate && delegate->hasTorch())
        items.push_back(infoBtn1_);
    toolbar_->setItems(std::move(items));
}

void ReaderOverlayView::willAppear() {
    if (static_cast<int>(infoBtn1_->style()) == kTorchOnStyle) {
        foundation::RunLoop::main().performAfter(
            kActionDelay,
            [] {
                if (auto delegate = AppDelegate::shared())
                    delegate->strobeON();
            },
            this, "strobeON");
    }
    hideTip();
}

void ReaderOverlayView::willDisappear() {
    showTip_ = false;
    hideTipAnimated();
}

void ReaderOverlayView::dismiss() {
    std::weak_ptr<ReaderOverlayView> weak = self();
    foundation::RunLoop::main().performAfter(
        kActionDelay,
        [weak] {
            auto overlay = weak.lock();
            auto delegate = overlay ? overlay->delegate() : nullptr;
            if (delegate)
                delegate->readerOverlayDidDismiss();
        },
        this, "readerOverlayDidDismiss");
}

void ReaderOverlayView::action() {
    foundation::RunLoop::main().performAfter(
        kActionDelay,
        [] {
            if (auto delegate = AppDelegate::shared())
                delegate->scanFromPhoto();
        },
        this, "scanFromPhoto");
}

void ReaderOverlayView::info() {
    const int was = static_cast<int>(infoBtn1_->style());
    infoBtn1_->setStyle(was == kTorchOnStyle ? ui::BarButtonItemStyle::bordered
                                             : ui::BarButtonItemStyle::done);
    if (infoBtn2_) {
        auto icon = graphics::Image::imageNamed(was == kTorchOnStyle ? "flash_on" : "flash_off");
        infoBtn2_->setImage(
            icon ? icon->imageWithRenderingMode(graphics::RenderingMode::alwaysTemplate) : nullptr,
            ui::ControlState::normal);
    }
    if (auto delegate = AppDelegate::shared())
        delegate->toggleStrobe(was != kTorchOnStyle);
}

void ReaderOverlayView::showMenu() {
    auto sheet = ui::ActionSheet::make(
        "", std::weak_ptr<ui::ActionSheetDelegate>(self()), foundation::localizedString("Cancel"),
        std::nullopt,
        {foundation::localizedString("QR Code Creator"),
         foundation::localizedString("Help & About"), foundation::localizedString("Our Apps")});
    sheet->setActionSheetStyle(ui::ActionSheetStyle::blackOpaque);
    sheet->showInView(self());
}

void ReaderOverlayView::actionSheetClickedButtonAtIndex(ui::ActionSheet&, int index) {
    if (index == 2) {
        loadDeveloperUrl2();
        return;
    }
    auto& screens = OverlayScreens::shared();
    const auto& factory = index == 0 ? screens.qrCreator : index == 1 ? screens.about : nullptr;
    if (!factory)
        return;
    auto nav = navigation();
    auto screen = factory();
    if (nav && screen)
        nav->pushViewController(screen, true);
}

void ReaderOverlayView::initTip() {
    if (tipView_)
        tipView_->removeFromSuperview();
    tipView_ = std::make_shared<ui::View>(graphics::Rect(4, 360, 312, 118));
    tipView_->setBackgroundColor(graphics::Color::blackColor().withAlphaComponent(0.5));
    tipView_->layer().setCornerRadius(16);
    tipView_->layer().setBorderColor(graphics::Color::grayColor());
    tipView_->layer().setBorderWidth(2);

    auto text = std::make_shared<ui::Label>(graphics::Rect(32, 8, 248, 48));
    text->setText(foundation::localizedString("No barcode detected!\nTap here for help"));
    text->setTextAlignment(ui::TextAlignment::center);
    text->setBackgroundColor(graphics::Color::clearColor());
    text->setTextColor(graphics::Color::whiteColor());
    text->setFont(ui::Font::systemFontOfSize(18));
    text->setNumberOfLines(2);
    text->setAdjustsFontSizeToFitWidth(true);
    text->setMinimumFontSize(10);
    text->setBaselineAdjustment(ui::BaselineAdjustment::alignCenters);
    tipView_->addSubview(text);

    auto close = std::make_shared<ui::Label>(graphics::Rect(4, 4, 24, 24));
    close->setText("\u00d7");
    close->setTextAlignment(ui::TextAlignment::center);
    close->setBackgroundColor(graphics::Color::clearColor());
    close->setTextColor(graphics::Color::whiteColor());
    close->setFont(ui::Font::boldSystemFontOfSize(18));
    close->setUserInteractionEnabled(true);
    tipView_->addSubview(close);

    std::weak_ptr<ReaderOverlayView> weak = self();
    auto closeButton = std::make_shared<ui::Button>(graphics::Rect(0, 0, 64, 64));
    closeButton->addTarget(ui::ControlEvent::touchUpInside, [weak](ui::Control&) {
        if (auto overlay = weak.lock())
            overlay->hideTipAnimated();
    });
    tipView_->addSubview(closeButton);
    auto helpButton = std::make_shared<ui::Button>(graphics::Rect(64, 0, 248, 64));
    helpButton->addTarget(ui::ControlEvent::touchUpInside, [weak](ui::Control&) {
        if (auto overlay = weak.lock())
            overlay->info();
    });
    tipView_->addSubview(helpButton);
    addSubview(tipView_);
}

void ReaderOverlayView::showTipAnimated() {
    if (!showTip_)
        return;
    showTip_ = false;
    ui::ViewAnimation::beginAnimations("ShowTip");
    ui::ViewAnimation::setAnimationDuration(0.5);
    if (tipView_)
        tipView_->setTransform(graphics::AffineTransform::identity());
    if (infoBtn_)
        infoBtn_->setCenter(graphics::Point(293, 394));
    ui::ViewAnimation::commitAnimations();
    if (tipHideDelay_ > 0) {
        std::weak_ptr<ReaderOverlayView> weak = self();
        foundation::RunLoop::main().performAfter(
            tipHideDelay_,
            [weak] {
                if (auto overlay = weak.lock())
                    overlay->hideTipAnimated();
            },
            this, "hideTipAnimated");
    }
}

void ReaderOverlayView::hideTip() {
    if (tipView_)
        tipView_->setTransform(graphics::AffineTransform{0.1, 0, 2.5, 0.4875, 280.5, 45.16});
    if (infoBtn_)
        infoBtn_->setCenter(graphics::Point(293, 453));
}

void ReaderOverlayView::hideTipAnimated() {
    ui::ViewAnimation::beginAnimations("HideTip");
    ui::ViewAnimation::setAnimationDuration(0.5);
    hideTip();
    ui::ViewAnimation::commitAnimations();
}

JGProgressHUD::Ptr ReaderOverlayView::showLoadingHUD() {
    auto nav = navigation();
    if (!nav)
        return nullptr;
    auto hud = JGProgressHUD::progressHUDWithStyle(JGProgressHUDStyle::dark);
    hud->textLabel()->setText(foundation::localizedString("Loading"));
    hud->setInteractionType(JGProgressHUDInteractionType::blockAllTouches);
    hud->showInView(nav->view());
    return hud;
}

void ReaderOverlayView::finishLoading(const std::weak_ptr<JGProgressHUD>& hud,
                                      const std::optional<std::string>& address, bool animated) {
    if (auto shown = hud.lock())
        shown->dismiss();
    if (!address || address->empty())
        return;
    const auto& factory = OverlayScreens::shared().otherApps;
    auto nav = navigation();
    auto list = factory && nav ? factory(*address) : nullptr;
    if (!list) {
        foundation::Log::write("ReaderOverlayView", "the \"Our Apps\" list cannot be opened");
        return;
    }
    nav->setNavigationBarHidden(false);
    nav->pushViewController(list, animated);
}

void ReaderOverlayView::loadDeveloperUrl2() {
    std::weak_ptr<JGProgressHUD> hud = showLoadingHUD();
    auto url = foundation::URL::fromString(DeveloperPage::url());
    if (!url) {
        foundation::DispatchQueue::main()->async([hud] { finishLoading(hud, std::nullopt, true); });
        return;
    }
    auto task = net::URLSession::shared()->dataTaskWithURL(
        *url, [hud](const foundation::Data& body, const std::optional<net::URLResponse>& response,
                    const std::optional<net::URLError>& error) {
            auto address = DeveloperPage::appsAddress(body, response, error);
            foundation::DispatchQueue::main()->async(
                [hud, address] { finishLoading(hud, address, true); });
        });
    task->resume();
}

void ReaderOverlayView::loadDeveloperUrl() {
    std::weak_ptr<JGProgressHUD> hud = showLoadingHUD();
    foundation::DispatchQueue::global(foundation::DispatchQueue::Priority::Default)->async([hud] {
        auto address = DeveloperPage::loadSynchronously();
        foundation::DispatchQueue::main()->async(
            [hud, address] { finishLoading(hud, address, false); });
    });
}
