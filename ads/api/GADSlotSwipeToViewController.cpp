#include "ads/api/GADSlotSwipeToViewController.h"

#include <algorithm>

#include "ads/api/GADAd.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADApplication.h"
#include "ads/foundation/GADDevice.h"
#include "ads/foundation/GADUtilities.h"
#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADWebView.h"
#include "platform/ui/ScrollView.h"

std::shared_ptr<GADSwipeToViewControllerConfigurations>
GADSlotSwipeToViewController::configurations() {
    auto slot = slot_.lock();
    const std::shared_ptr<GADAd> ad = slot ? slot->ad() : nullptr;
    if (!ad) {
        configurationsAd_.reset();
        configurations_.reset();
        return nullptr;
    }
    if (configurationsAd_.lock() != ad) {
        configurationsAd_ = ad;
        configurations_ =
            GADSwipeToViewControllerConfigurations::make(ad->swipeToViewControllerConfigurations());
    }
    return configurations_;
}

std::shared_ptr<ui::View> GADSlotSwipeToViewController::swipeView() const {
    auto slot = slot_.lock();
    auto delegate = slot ? slot->slotDelegate() : nullptr;
    return delegate ? delegate->swipeToViewControllerView() : nullptr;
}

void GADSlotSwipeToViewController::canEnableSwipeToViewController() {
    auto slot = slot_.lock();
    if (!slot || !slot->webView() || !configurations() || strongSlot_) {
        return;
    }
    const std::shared_ptr<GADWebView>& webView = slot->webView();
    bool scrollable = false;
    for (auto view = webView->superview(); view && !scrollable; view = view->superview()) {
        scrollable = dynamic_cast<ui::ScrollView*>(view.get()) != nullptr;
    }
    GADDevice& device = GADDevice::currentDevice();
    const foundation::Dictionary report{
        {"creativeFrame",
         GADRectDictionary(webView->convertRectToView(webView->bounds(), nullptr))},
        {"deviceFrame", GADRectDictionary(device.standardizedApplicationFrame())},
        {"deviceOrientation", device.isOrientationLandscape() ? "landscape" : "portrait"},
        {"anySuperViewScrollable", scrollable ? "1" : "0"},
    };
    if (savedParams_ == report) {
        return;
    }
    savedParams_ = report;
    GADNotificationCenter::defaultCenter().postJSNotification("onAdVisible", report, webView);
}

void GADSlotSwipeToViewController::setUpAnimationController(double duration) {
    animation_ = GADViewControllerFullScreenSwipeAnimation::make();
    if (!animation_) {
        return;
    }
    animation_->setTransitionDuration(duration);
    animationController_ = GADPercentDrivenUserInteractionAnimationController::make(animation_);
    recognizer_ = std::make_shared<ui::PanGestureRecognizer>();
}

void GADSlotSwipeToViewController::enableSwipeToViewController() {
    const std::shared_ptr<ui::View> view = swipeView();
    const auto settings = configurations();
    if (!view || !settings) {
        return;
    }
    // Set up once per slot: a later ad's duration does not replace the first.
    if (!animationController_) {
        setUpAnimationController(settings->swipeAnimationTransitionDuration());
        if (!animationController_) {
            return;
        }
    }
    view->addGestureRecognizer(recognizer_);
    enabled_ = true;
    animationController_->setDelegate(weak_from_this());
    if (targetToken_) {
        recognizer_->removeTarget(*targetToken_);
    }
    std::weak_ptr<GADSlotSwipeToViewController> weak = weak_from_this();
    targetToken_ = recognizer_->addTarget([weak](ui::GestureRecognizer& recognizer) {
        if (auto self = weak.lock()) {
            self->handlePanGesture(static_cast<ui::PanGestureRecognizer&>(recognizer));
        }
    });
    animation_->setDirection(settings->swipeDirection());
    animation_->setDraggableView(settings->adDraggable() ? view : nullptr);
}

void GADSlotSwipeToViewController::disableSwipeToViewController() {
    if (!enabled_) {
        return;
    }
    savedParams_.reset();
    enabled_ = false;
    if (targetToken_) {
        recognizer_->removeTarget(*targetToken_);
        targetToken_.reset();
    }
    if (auto view = swipeView()) {
        view->removeGestureRecognizer(recognizer_);
    }
}

bool GADSlotSwipeToViewController::shouldProcessTouch(graphics::Point point, const ui::View* view) {
    const std::shared_ptr<ui::View> swipe = swipeView();
    const auto settings = configurations();
    if (!swipe || !settings || !settings->swipeableRectangles()) {
        return false;
    }
    const graphics::Point local = view ? view->convertPointToView(point, swipe.get())
                                       : swipe->convertPointFromView(point, nullptr);
    const auto& rectangles = *settings->swipeableRectangles();
    return std::any_of(rectangles.begin(), rectangles.end(),
                       [&](const graphics::Rect& rectangle) { return rectangle.contains(local); });
}

void GADSlotSwipeToViewController::handlePanGesture(ui::PanGestureRecognizer& recognizer) {
    auto keep = shared_from_this();
    switch (recognizer.state()) {
        case ui::GestureRecognizerState::began: {
            const graphics::Point location = recognizer.locationOfTouch(0, nullptr);
            presentationRunning_ = false;
            if (!shouldProcessTouch(location, nullptr)) {
                // Cancels the gesture; the cancellation turns it on again.
                recognizer.setEnabled(false);
                return;
            }
            animation_->setStartY(location.y);
            auto slot = slot_.lock();
            auto delegate = slot ? slot->slotDelegate() : nullptr;
            const auto root = delegate ? delegate->rootViewController() : nullptr;
            const auto settings = configurations();
            const auto key =
                settings ? settings->swipeableInAppStoreProductIDString() : std::nullopt;
            if (root && key) {
                strongSlot_ = slot;
                loadStoreProductViewController(*settings->swipeableInAppStoreProductID(), *key);
                presentationRunning_ = true;
                root->presentViewController(sheet_, true);
            }
            break;
        }
        case ui::GestureRecognizerState::cancelled:
            recognizer.setEnabled(true);
            break;
        default:
            break;
    }
    // Only a swipe that presents a sheet drives a transition and tells the
    // page how it ended.
    if (presentationRunning_) {
        animationController_->handlePanGesture(recognizer);
    }
}

void GADSlotSwipeToViewController::loadStoreProductViewController(
    const foundation::Value& productID, const std::string& cacheKey) {
    auto sheet =
        GADApplication::sharedApplication().cachedStoreProductViewControllerForProductID(cacheKey);
    if (!sheet) {
        sheet = std::make_shared<services::StoreProductViewController>();
        sheet->loadProductWithParameters(
            foundation::Dictionary{
                {services::StoreProductParameterITunesItemIdentifier, productID}},
            nullptr);
    }
    sheet_ = sheet;
    sheetProductID_ = cacheKey;
    sheet_->setDelegate(weak_from_this());
    sheet_->setTransitioningDelegate(animationController_);
    sheet_->setModalPresentationStyle(ui::ModalPresentationStyle::fullScreen);
}

void GADSlotSwipeToViewController::returnStoreProductViewController() {
    if (sheet_ && sheetProductID_) {
        GADApplication::sharedApplication().finishedUsingStoreProductViewController(
            sheet_, sheetProductID_);
    }
    sheet_.reset();
    sheetProductID_.reset();
}

void GADSlotSwipeToViewController::sendEvent(const std::string& name) {
    auto slot = slot_.lock();
    if (!slot) {
        return;
    }
    const auto settings = configurations();
    GADNotificationCenter::defaultCenter().postJSNotification(
        name, settings ? settings->swipeEventCreativeMetadata() : std::nullopt, slot->webView());
}

void GADSlotSwipeToViewController::animationControllerDidFinishAnimationTransition(
    GADPercentDrivenUserInteractionAnimationController&) {
    presentationRunning_ = false;
    sendEvent("onSwipeableViewControllerPresentationFinished");
}

void GADSlotSwipeToViewController::animationControllerDidCancelAnimationTransition(
    GADPercentDrivenUserInteractionAnimationController&) {
    auto keep = shared_from_this();
    presentationRunning_ = false;
    sendEvent("onSwipeableViewControllerPresentationCanceled");
    // May let the slot, and this with it, go once `keep` goes.
    std::shared_ptr<GADSlot> slot = std::move(strongSlot_);
}

void GADSlotSwipeToViewController::productViewControllerDidFinish(
    services::StoreProductViewController& controller) {
    auto keep = shared_from_this();
    controller.dismissViewController(true);
    sendEvent("onSwipeToViewControllerDismissed");
    returnStoreProductViewController();
    std::shared_ptr<GADSlot> slot = std::move(strongSlot_);
}
