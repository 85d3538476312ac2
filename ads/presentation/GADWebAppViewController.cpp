#include "ads/presentation/GADWebAppViewController.h"

#include "ads/foundation/GADRenderAdditions.h"
#include "ads/presentation/GADIntrinsicImages.h"
#include "ads/presentation/GADScreenSlot.h"
#include "ads/presentation/GADWebAppWebViewDelegate.h"
#include "ads/webview/GADMRAIDInterceptor.h"
#include "ads/webview/GADOpener.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/net/URLRequest.h"
#include "platform/ui/Application.h"
#include "platform/ui/ViewAnimation.h"
#include "platform/ui/Window.h"

GADWebAppViewController::GADWebAppViewController() : GADViewController(0) {}

GADWebAppViewController::Ptr GADWebAppViewController::make(
    const std::shared_ptr<GADWebView>& webView) {
    Ptr controller(new GADWebAppViewController());
    if (webView) {
        controller->isExpandable_ = true;
        controller->webView_ = webView;
    } else {
        controller->webView_ = std::make_shared<GADWebView>(controller->view()->bounds());
        controller->webView_->setViewController(controller);
    }
    controller->closeButton_ =
        std::make_shared<ui::Button>(graphics::Rect(), ui::ButtonType::custom);
    controller->closeButton_->setShowsTouchWhenHighlighted(true);
    controller->closeButton_->setAccessibilityLabel("Close Advertisement");
    std::weak_ptr<GADWebAppViewController> weak = controller;
    controller->closeButton_->addTarget(ui::ControlEvent::touchUpInside, [weak](ui::Control&) {
        if (auto screen = weak.lock()) {
            screen->relinquishScreen();
        }
    });
    return controller;
}

GADWebAppViewController::~GADWebAppViewController() {
    stopCountingForMRAID();
    // The web view's reference to this controller expires with it.
    if (webViewDelegate_) {
        webViewDelegate_->opener()->setSlot({});
        if (webView_->delegate() == webViewDelegate_) {
            webView_->setDelegate(nullptr);
        }
    }
    if (renderedBanner_) {
        renderedBanner_->removeFromSuperview();
    }
}

void GADWebAppViewController::load(const std::optional<foundation::URL>& url) {
    if (!url) {
        return;
    }
    if (isTwoPieceExpansion() && !countedForMRAID_) {
        webView_->setURLForView(url, webView_);
        countedForMRAID_ = true;
        GADMRAIDInterceptor::enableCanInitWithRequest();
    }
    webView_->loadRequest(net::URLRequest(*url));
}

void GADWebAppViewController::stopCountingForMRAID() {
    if (countedForMRAID_) {
        countedForMRAID_ = false;
        GADMRAIDInterceptor::disableCanInitWithRequest();
    }
}

void GADWebAppViewController::loadHTML(const std::optional<std::string>& html,
                                       const std::optional<foundation::URL>& baseURL) {
    if (html) {
        webView_->loadHTMLString(*html, baseURL);
    }
}

bool GADWebAppViewController::isFileAccessAllowed() const {
    auto delegate = webView_->delegate();
    return delegate && delegate->isFileAccessAllowed();
}

void GADWebAppViewController::setFileAccessAllowed(bool allowed) {
    if (auto delegate = webView_->delegate()) {
        delegate->setFileAccessAllowed(allowed);
    }
}

void GADWebAppViewController::setUseCustomClose(bool useCustomClose) {
    if (useCustomClose == useCustomClose_) {
        return;
    }
    useCustomClose_ = useCustomClose;
    updateCloseButtonVisibilityAndImage();
}

void GADWebAppViewController::updateCloseButtonVisibilityAndImage() {
    const bool mraid = isMRAIDSlot();
    if (useCustomClose_ && !mraid) {
        closeButton_->removeFromSuperview();
        return;
    }
    GADIntrinsicImages& images = GADIntrinsicImages::sharedInstance();
    // An MRAID ad with its own close control keeps an invisible touch area.
    closeButton_->setImage(useCustomClose_ ? images.transparentImage() : images.closeButton(),
                           ui::ControlState::normal);
    if (!closeButton_->superview()) {
        view()->addSubview(closeButton_);
    }
}

graphics::Rect GADWebAppViewController::closeButtonFrameForContentFrame(
    const graphics::Rect& frame) const {
    if (isMRAIDSlot()) {
        return {frame.origin.x + frame.size.width - kMRAIDCloseSize, frame.origin.y,
                kMRAIDCloseSize, kMRAIDCloseSize};
    }
    return {frame.origin.x, frame.origin.y, kCloseButtonSize, kCloseButtonSize};
}

bool GADWebAppViewController::shouldDismissOnAppClose() {
    if (useCustomClose_) {
        return true;
    }
    const bool loaded = webViewDelegate_ && webViewDelegate_->hasLoadedAtLeastOnce();
    if ((loaded || isExpandable_) && webViewDelegate_ &&
        webViewDelegate_->opener()->didOpenAnotherApplication()) {
        // The user comes back from what the ad opened: the ad stays, once.
        webViewDelegate_->opener()->setDidOpenAnotherApplication(false);
        return false;
    }
    return true;
}

void GADWebAppViewController::relinquishScreen() {
    if (wasPresentedFromViewController()) {
        webView_->notifyOfSdkEvent("onhide");
        if (isExpandable_) {
            isCollapsing_ = true;
            webView_->restoreState();
        } else if (auto slot = this->slot(); slot && isTwoPieceExpansion()) {
            slot->webView()->notifyOfSdkEvent("collapsed");
        }
    }
    GADViewController::relinquishScreen();
}

void GADWebAppViewController::presentFrom(const ui::ViewController::Ptr& controller) {
    hostViewController_ = controller;
    if (!transparentInterstitial_) {
        GADViewController::presentFrom(controller);
        return;
    }
    displayingAsTransparentInterstitial_ = true;
    if (auto window = ui::Application::shared().keyWindow()) {
        window->addSubview(view());
    }
}

void GADWebAppViewController::dismiss() {
    hostViewController_.reset();
    if (!displayingAsTransparentInterstitial_) {
        GADViewController::dismiss();
        return;
    }
    foundation::NotificationCenter::defaultCenter().removeObserver(
        this, ui::ApplicationDidChangeStatusBarFrameNotification);
    displayingAsTransparentInterstitial_ = false;
    std::shared_ptr<GADWebView> webView = webView_;
    Ptr screen = self();
    ui::ViewAnimation::animate(
        kTransparentFadeOutDuration, [webView] { webView->setAlpha(0); },
        [screen](bool) { screen->view()->removeFromSuperview(); });
}

void GADWebAppViewController::hideStatusBar() {
    if (!transparentInterstitial_) {
        GADViewController::hideStatusBar();
    }
}

void GADWebAppViewController::restoreStatusBar() {
    if (!transparentInterstitial_) {
        GADViewController::restoreStatusBar();
    }
}

void GADWebAppViewController::viewWillAppear(bool animated) {
    GADViewController::viewWillAppear(animated);
    if (!viewHasAppeared_) {
        viewHasAppeared_ = true;
        configureView();
    }
    if (auto slot = this->slot()) {
        slot->interstitialViewWillAppear();
    }
}

void GADWebAppViewController::viewWillDisappear(bool animated) {
    GADViewController::viewWillDisappear(animated);
    if (auto slot = this->slot()) {
        slot->interstitialViewWillDisappear();
    }
}

void GADWebAppViewController::viewDidAppear(bool animated) {
    GADViewController::viewDidAppear(animated);
    webView_->forceRotateToOrientation(static_cast<int>(interfaceOrientation()));
    if (webViewDelegate_) {
        webViewDelegate_->setPendingOnShow(true);
    }
}

void GADWebAppViewController::viewDidDisappear(bool animated) {
    GADViewController::viewDidDisappear(animated);
    if (isCollapsing_) {
        webView_->notifyOfSdkEvent("collapsed");
    }
}

void GADWebAppViewController::willRotateToInterfaceOrientation(ui::InterfaceOrientation o,
                                                               double duration) {
    GADViewController::willRotateToInterfaceOrientation(o, duration);
    if (isMRAIDSlot()) {
        ui::Button::Ptr button = closeButton_;
        ui::ViewAnimation::animate(kCloseButtonFadeDuration, [button] { button->setAlpha(0); });
    }
}

void GADWebAppViewController::didRotateFromInterfaceOrientation(ui::InterfaceOrientation from) {
    GADViewController::didRotateFromInterfaceOrientation(from);
    if (isMRAIDSlot()) {
        graphics::Rect frame = closeButton_->frame();
        frame.origin.x = webView_->frame().size.width - kMRAIDCloseSize;
        closeButton_->setFrame(frame);
        ui::Button::Ptr button = closeButton_;
        ui::ViewAnimation::animate(kCloseButtonFadeDuration, [button] { button->setAlpha(1); });
    }
    webView_->didRotateToOrientation(static_cast<int>(interfaceOrientation()));
}

void GADWebAppViewController::configureView() {
    if (isExpandable_) {
        webView_->saveState();
        webView_->setViewController(self());
        renderedBanner_ = std::make_shared<ui::ImageView>(webView_->frame());
        renderedBanner_->setImage(GADRenderAdditions::gad_render(*webView_));
        if (auto superview = webView_->superview()) {
            superview->insertSubviewBelow(renderedBanner_, webView_);
        }
        webView_->removeFromSuperview();
        webView_->reset();
        webView_->notifyOfSdkEvent("expanding");
    } else if (auto slot = this->slot(); slot && isTwoPieceExpansion()) {
        slot->webView()->notifyOfSdkEvent("expanding");
    }
    if (displayingAsTransparentInterstitial_) {
        composeTransparentInterstitialViewsForPresentation();
    } else {
        webView_->setFrame(view()->bounds());
        webView_->setHidden(false);
        // Below a close button placed before the screen first appeared.
        view()->insertSubview(webView_, 0);
    }
    updateCloseButtonVisibilityAndImage();
    closeButton_->setFrame(closeButtonFrameForContentFrame(webView_->frame()));

    webViewDelegate_ = std::make_shared<GADWebAppWebViewDelegate>(self());
    webViewDelegate_->opener()->setSlot(slot());
    if (displayingAsTransparentInterstitial_) {
        webViewDelegate_->opener()->setDelegate(self());
    }
    webViewDelegate_->setFileAccessAllowed(isFileAccessAllowed());
    webView_->setDelegate(webViewDelegate_);

    if (displayingAsTransparentInterstitial_) {
        animateTransparentInterstitialPresentation();
    }
}

void GADWebAppViewController::didOpenInApplication() {
    // What the ad opened stands in for it: the ad gives the screen back as
    // its close button would, so the idle timer, the slot and the full-screen
    // notices hear of it.
    if (displayingAsTransparentInterstitial_) {
        relinquishScreen();
    }
}

bool GADWebAppViewController::isMRAIDSlot() const {
    auto slot = this->slot();
    return slot && slot->isMRAIDEnabled();
}
