#include "ads/api/GADInterstitial.h"

#include "ads/api/GADAd.h"
#include "ads/api/GADAppEventGMSGHandler.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADViewUtilities.h"
#include "ads/presentation/GADWebAppViewController.h"
#include "ads/webview/GADWebView.h"
#include "ads/webview/GADWebViewDelegate.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Screen.h"

std::shared_ptr<GADInterstitial> GADInterstitial::make() {
    std::shared_ptr<GADInterstitial> interstitial(new GADInterstitial());
    interstitial->initialize();
    return interstitial;
}

void GADInterstitial::initialize() {
    auto self = shared_from_this();
    slot_ = GADSlot::make(GADDevice::currentDevice().standardizedScreenBounds());
    slot_->setInterstitial(self);
    slot_->setSlotDelegate(self);
    slot_->setAdEventDelegate(self);
    std::shared_ptr<GADWebView> webView = slot_->webView();
    webView->configureAsInterstitialAdView();
    viewController_ = GADWebAppViewController::make(webView);
    appEventHandler_ = std::make_shared<GADAppEventGMSGHandler>(slot_);
    viewController_->setAppEventHandler(appEventHandler_);
    webView->setViewController(viewController_);
    foundation::NotificationCenter::defaultCenter().addObserver(
        self, &GADInterstitial::webAction, kGADDidReceiveWebActionNotification, webView.get());
}

GADInterstitial::~GADInterstitial() {
    slot_->finishActiveViewReporting();
    foundation::NotificationCenter::defaultCenter().removeObserver(this);
    slot_->webView()->setViewController(nullptr);
    slot_->setInterstitial({});
    slot_->cancelPendingAndFutureActions();
}

void GADInterstitial::cancel() {
    slot_->cancelPendingAndFutureActions();
}

void GADInterstitial::sendInterstitialError(const GADRequestError& error) {
    GADMacros::pubLog(error.localizedDescription());
    slot_->didFailToReceiveAdWithError(std::make_shared<GADRequestError>(error), false, true);
}

void GADInterstitial::sendInterstitialUsageError() {
    sendInterstitialError(
        GADRequestError::errorWithCode(kGADErrorInterstitialAlreadyUsed, request_));
}

void GADInterstitial::webAction(const foundation::Notification& notification) {
    const foundation::Value action = notification.userInfo["a"];
    if (!action.isNull() && action.stringValue() != "open") {
        return;
    }
    if (slot_->state() == GADSlotStateReady) {
        slot_->cancelPendingActions();
    }
}

void GADInterstitial::loadRequest(const std::shared_ptr<GADRequest>& request) {
    request_ = request;
    if (hasBeenUsed_) {
        sendInterstitialUsageError();
        return;
    }
    slot_->loadRequest(request);
}

bool GADInterstitial::isReady() const {
    return slot_->state() == GADSlotStateReady;
}

bool GADInterstitial::canPresentFullScreen() {
    if (hasBeenUsed_) {
        sendInterstitialUsageError();
        return false;
    }
    if (isReady()) {
        return true;
    }
    GADMacros::pubLog("Cannot present interstitial. It is not ready.");
    return false;
}

void GADInterstitial::presentFromRootViewController(
    const std::shared_ptr<ui::ViewController>& controller) {
    if (!canPresentFullScreen()) {
        return;
    }
    if (slot_->isMediating()) {
        slot_->presentMediatedInterstitialFromRootViewController(controller);
    } else if (viewController_) {
        // The screen puts in its own web-view delegate when it lays out.
        slot_->webView()->setDelegate(nullptr);
        if (slot_->ad()) {
            viewController_->setSupportedOrientations(slot_->ad()->supportedOrientations());
        }
        viewController_->setSlot(slot_);
        slot_->didMakeAdImpression();
        viewController_->presentFromViewController(controller);
        viewController_.reset();
    }
    hasPresentedFullScreen();
}

std::optional<foundation::Dictionary> GADInterstitial::coordinatesOfContentInScreen() {
    return GADViewUtilities::positionOfView(slot_->webView(), ui::Screen::mainScreen());
}

void GADInterstitial::tellDelegate(const std::function<void(GADInterstitialDelegate&)>& call) {
    auto self = shared_from_this();
    GADMacros::runSynchronouslyOnMainThreadWithBlock([self, &call] {
        if (auto delegate = self->delegate()) {
            call(*delegate);
        }
    });
}

void GADInterstitial::slotFinishedLoadingAdContent(GADSlot&) {
    tellDelegate([this](GADInterstitialDelegate& d) { d.interstitialDidReceiveAd(*this); });
}

void GADInterstitial::slotDidFailToLoadAdContentWithError(GADSlot&, const GADRequestError& error) {
    tellDelegate([this, &error](GADInterstitialDelegate& d) {
        d.interstitialDidFailToReceiveAdWithError(*this, error);
    });
}

void GADInterstitial::slotWillPresentScreen(GADSlot&) {
    ++screensPresented_;
    tellDelegate([this](GADInterstitialDelegate& d) { d.interstitialWillPresentScreen(*this); });
}

void GADInterstitial::slotWillDismissScreen(GADSlot&) {
    if (screensDismissing_ >= screensPresented_) {
        return;
    }
    ++screensDismissing_;
    tellDelegate([this](GADInterstitialDelegate& d) { d.interstitialWillDismissScreen(*this); });
}

void GADInterstitial::slotDidDismissScreen(GADSlot&) {
    if (screensPresented_ == 0) {
        return;
    }
    --screensPresented_;
    if (screensDismissing_ > 0) {
        --screensDismissing_;
    }
    tellDelegate([this](GADInterstitialDelegate& d) { d.interstitialDidDismissScreen(*this); });
}

void GADInterstitial::slotWillLeaveApplication(GADSlot&) {
    tellDelegate([this](GADInterstitialDelegate& d) { d.interstitialWillLeaveApplication(*this); });
}
