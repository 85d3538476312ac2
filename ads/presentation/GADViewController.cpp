#include "ads/presentation/GADViewController.h"

#include <utility>

#include "ads/foundation/GADAbsoluteTime.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADStatisticDictionary.h"
#include "ads/presentation/GADScreenSlot.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/OperationQueue.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/Color.h"
#include "platform/ui/Application.h"

GADViewController::GADViewController() : GADViewController(1) {}

GADViewController::GADViewController(std::int64_t supportedOrientations)
    : supportedOrientations_(supportedOrientations) {
    setModalTransitionStyle(ui::ModalTransitionStyle::coverVertical);
}

GADViewController::~GADViewController() {
    foundation::NotificationCenter::defaultCenter().removeObserver(this);
    if (presentedAsFirst_) {
        if (auto slot = slot_.lock()) {
            slot->adDidDismissScreen();
        }
    }
}

bool GADViewController::shouldDismissOnAppClose() {
    return true;
}

void GADViewController::presentFrom(const ui::ViewController::Ptr& controller) {
    controller->presentViewController(selfPtr(), true);
}

void GADViewController::dismiss() {
    if (auto presenter = parent()) {
        presenter->dismissViewController(true);
    }
}

void GADViewController::hideStatusBar() {
    if (modalPresentationStyle() != ui::ModalPresentationStyle::fullScreen) {
        return;
    }
    ui::Application& application = ui::Application::shared();
    statusBarWasHidden_ = application.isStatusBarHidden();
    if (!statusBarWasHidden_) {
        application.setStatusBarHidden(true);
    }
}

void GADViewController::restoreStatusBar() {
    if (statusBarWasHidden_ || modalPresentationStyle() != ui::ModalPresentationStyle::fullScreen) {
        return;
    }
    ui::Application::shared().setStatusBarHidden(false);
}

void GADViewController::setSupportedOrientations(std::int64_t orientations) {
    if (orientations != 0) {
        supportedOrientations_ = orientations;
    }
}

bool GADViewController::isFirstGADViewController() const {
    return !std::dynamic_pointer_cast<GADViewController>(parent());
}

void GADViewController::viewDidLoad() {
    ui::ViewController::viewDidLoad();
    auto v = view();
    v->setAutoresizingMask(ui::Autoresizing::flexibleWidth | ui::Autoresizing::flexibleHeight);
    v->setOpaque(true);
    v->setBackgroundColor(graphics::Color::blackColor());
    v->setClipsToBounds(true);
}

void GADViewController::viewDidAppear(bool animated) {
    if (!view()->isUserInteractionEnabled()) {
        ui::ViewController::viewDidAppear(animated);
        view()->setUserInteractionEnabled(true);
        if (isFirstGADViewController() && interactingWithParent_) {
            interactingWithParent_ = false;
        }
    }
    viewDidAppear_ = true;
}

void GADViewController::viewWillDisappear(bool animated) {
    ui::ViewController::viewWillDisappear(animated);
    beingTakenAway_.clear();
    for (Ptr screen = selfPtr(); screen && screen->isBeingDismissed();
         screen = std::dynamic_pointer_cast<GADViewController>(screen->parent())) {
        beingTakenAway_.push_back(screen);
    }
}

void GADViewController::viewDidDisappear(bool animated) {
    ui::ViewController::viewDidDisappear(animated);
    recordLandingPageDismissal();
    if (isFirstGADViewController() && interactingWithParent_) {
        interactingWithParent_ = false;
    }
    viewDidAppear_ = false;
    // Those of a dismissal that was not cancelled are no longer presented.
    for (const auto& weakScreen : std::exchange(beingTakenAway_, {})) {
        if (Ptr screen = weakScreen.lock(); screen && !screen->parent()) {
            screen->screenTakenAway();
        }
    }
}

void GADViewController::recordLandingPageDismissal() {
    auto slot = slot_.lock();
    auto statistics = slot ? slot->adStatistics() : nullptr;
    if (!statistics) {
        return;
    }
    const std::uint64_t now = GADAbsoluteTime::absoluteTimeInMilliseconds();
    statistics->setObject("tlanding_page_load_dismiss", now, true);
    foundation::Value click = statistics->objectForKey("tclickcurr");
    if (!click.isNull()) {
        statistics->addObjectToArrayWithKey(foundation::Array{click, foundation::Value(now)},
                                            "tclick", true);
    }
}

bool GADViewController::shouldAutorotateToInterfaceOrientation(ui::InterfaceOrientation o) const {
    switch (supportedOrientations_) {
        case 3:
            return ui::isLandscape(o);
        case 2:
            return o == ui::InterfaceOrientation::portrait;
        default:
            return true;
    }
}

int GADViewController::supportedInterfaceOrientations() const {
    switch (supportedOrientations_) {
        case 2:
            return ui::InterfaceOrientationMask::portrait;
        case 3:
            return ui::InterfaceOrientationMask::landscape;
        default:
            return ui::InterfaceOrientationMask::all;
    }
}

void GADViewController::ensureStatusBarHidden() {
    const bool wasHidden = statusBarWasHidden_;
    hideStatusBar();
    statusBarWasHidden_ = wasHidden;
}

void GADViewController::appDidEnterForeground(const foundation::Notification&) {
    if (!shouldDismissOnAppClose()) {
        ensureStatusBarHidden();
        return;
    }
    auto parentScreen = std::dynamic_pointer_cast<GADViewController>(parent());
    if (parentScreen && parentScreen->shouldDismissOnAppClose()) {
        retainCycle_.reset();
        return;
    }
    Ptr self = selfPtr();
    foundation::OperationQueue::main()->addOperation([self] { self->relinquishScreen(); });
}

void GADViewController::scheduleAppearanceNotificationAndPresentFrom(
    const ui::ViewController::Ptr& controller) {
    if (!controller) {
        return;
    }
    presentFrom(controller);
    // A delayed perform keeps its target until it runs.
    Ptr self = selfPtr();
    foundation::RunLoop::main().performAfter(kForcedAppearanceDelay,
                                             [self] { self->viewDidAppear(false); });
}

void GADViewController::presentFromViewController(const ui::ViewController::Ptr& controller) {
    if (!controller) {
        GADMacros::pubLog("No UIViewController supplied to the ad. Cannot continue.");
        return;
    }
    view()->setUserInteractionEnabled(false);
    Ptr self = selfPtr();
    auto& center = foundation::NotificationCenter::defaultCenter();
    center.removeObserver(this, ui::ApplicationWillEnterForegroundNotification);
    center.addObserver(self, &GADViewController::appDidEnterForeground,
                       ui::ApplicationWillEnterForegroundNotification);
    retainCycle_ = self;
    wasPresentedFromViewController_ = true;
    center.post(kAdModalViewControllerWillPresentFullScreen, this);
    if (std::dynamic_pointer_cast<GADViewController>(controller)) {
        interactingWithParent_ = false;
        presentFrom(controller);
        return;
    }
    interactingWithParent_ = true;
    presentedAsFirst_ = true;
    if (auto slot = slot_.lock()) {
        slot->adWillPresentScreen();
    }
    hideStatusBar();
    ui::Application& application = ui::Application::shared();
    publisherIdleTimerDisabled_ = application.isIdleTimerDisabled();
    application.setIdleTimerDisabled(true);
    scheduleAppearanceNotificationAndPresentFrom(controller);
}

void GADViewController::relinquishScreen() {
    Ptr self = selfPtr();
    view()->setUserInteractionEnabled(false);
    if (!wasPresentedFromViewController_) {
        return;
    }
    const bool first = isFirstGADViewController();
    interactingWithParent_ = first;
    endPresentation(first);
    dismiss();
    foundation::NotificationCenter::defaultCenter().post(kAdModalViewControllerDidDismissFullScreen,
                                                         this);
}

void GADViewController::screenTakenAway() {
    // Nothing for a screen that let itself go already (its own close path,
    // or a stack given back through the screen under it).
    if (!retainCycle_) {
        return;
    }
    Ptr self = selfPtr();
    view()->setUserInteractionEnabled(false);
    interactingWithParent_ = false;
    endPresentation(presentedAsFirst_);
    foundation::NotificationCenter::defaultCenter().post(kAdModalViewControllerDidDismissFullScreen,
                                                         this);
}

void GADViewController::endPresentation(bool first) {
    retainCycle_.reset();
    wasPresentedFromViewController_ = false;
    if (!first) {
        return;
    }
    if (auto slot = slot_.lock()) {
        slot->adWillDismissScreen();
    }
    restoreStatusBar();
    ui::Application::shared().setIdleTimerDisabled(publisherIdleTimerDisabled_);
}
