#include "ads/api/GADBannerView.h"

#include "ads/api/GADAdType.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADRequestError.h"
#include "ads/foundation/GADMacros.h"
#include "ads/foundation/GADViewUtilities.h"
#include "ads/webview/GADWebView.h"
#include "platform/graphics/Color.h"
#include "platform/ui/Screen.h"

void GADBannerView::logInvalidAdSize(GADAdSize adSize) {
    GADMacros::pubLog("Unable to set adSize property with " + GADAdSizeDescription(adSize) +
                      ". Please use one of the standard ad sizes or create a custom ad size using "
                      "GADAdSizeFromCGSize.");
}

std::shared_ptr<GADBannerView> GADBannerView::makeWithAdSize(GADAdSize adSize) {
    return makeBanner<GADBannerView>(graphics::Rect(), adSize, true);
}

std::shared_ptr<GADBannerView> GADBannerView::makeWithAdSize(GADAdSize adSize,
                                                             graphics::Point origin) {
    std::shared_ptr<GADBannerView> banner = makeWithAdSize(adSize);
    if (banner) {
        banner->setFrame(graphics::Rect(origin, banner->frame().size));
    }
    return banner;
}

std::shared_ptr<GADBannerView> GADBannerView::makeWithFrame(const graphics::Rect& frame,
                                                            GADAdSize adSize) {
    return makeBanner<GADBannerView>(frame, adSize, false);
}

std::shared_ptr<GADBannerView> GADBannerView::makeWithFrame(const graphics::Rect& frame) {
    return makeWithFrame(frame, GADAdSizeFromCGSize(frame.size));
}

std::shared_ptr<GADBannerView> GADBannerView::make() {
    return makeWithFrame(graphics::Rect());
}

GADBannerView::GADBannerView(const graphics::Rect& frame) : ui::View(frame) {}

GADBannerView::~GADBannerView() {
    if (slot_) {
        slot_->cancelPendingAndFutureActions();
    }
}

void GADBannerView::commonInitWithAdSize(GADAdSize adSize) {
    auto self = std::static_pointer_cast<GADBannerView>(shared_from_this());
    slot_ = GADSlot::make(bounds());
    slot_->setSlotDelegate(self);
    slot_->setAdEventDelegate(self);
    std::shared_ptr<GADWebView> webView = slot_->webView();
    webView->configureAsBannerAdView();
    adView_ = webView;
    addSubview(webView);
    setBackgroundColor(graphics::Color::clearColor());
    setClipsToBounds(true);
    setAdSizeAndReload(adSize, false);
}

void GADBannerView::loadRequest(const std::shared_ptr<GADRequest>& request) {
    if (rootViewController()) {
        slot_->loadRequest(request);
        return;
    }
    GADMacros::pubLog(
        "Must set the rootViewController property of GADBannerView before calling loadRequest:");
    slot_->adFailedToReceiveContentWithError(
        GADRequestError::errorWithCode(kGADErrorInvalidRequest, request));
}

GADAdSize GADBannerView::adSize() const {
    if (!slot_ || !slot_->adType()) {
        return kGADAdSizeInvalid;
    }
    return slot_->adType()->adSize();
}

void GADBannerView::setAdSize(GADAdSize adSize) {
    setAdSizeAndReload(adSize, true);
    if (!translatesAutoresizingMaskIntoConstraints()) {
        invalidateIntrinsicContentSize();
    }
}

void GADBannerView::setAdSizeAndReload(GADAdSize adSize, bool reload) {
    if (!slot_ || GADAdSizeIsEqualToAdSize(adSize, this->adSize())) {
        return;
    }
    if (!GADAdSizeIsValid(adSize)) {
        logInvalidAdSize(adSize);
        return;
    }
    ui::View::setFrame(graphics::Rect(frame().origin, GADAdSizeGetCGSize(adSize)));
    slot_->setAdType(GADAdType::bannerAdTypeForSize(adSize), reload);
}

void GADBannerView::setRootViewController(const std::shared_ptr<ui::ViewController>& controller) {
    if (controller == rootViewController()) {
        return;
    }
    rootViewController_ = controller;
    slot_->webView()->setViewController(controller);
    if (auto nested = std::dynamic_pointer_cast<GADBannerView>(adView_)) {
        nested->setRootViewController(controller);
    }
}

std::shared_ptr<ui::View> GADBannerView::mediatedAdView() const {
    return slot_->isMediating() ? adView_ : nullptr;
}

std::shared_ptr<GADWebView> GADBannerView::webView() const {
    return slot_->webView();
}

void GADBannerView::setAdView(const std::shared_ptr<ui::View>& view) {
    if (view == adView_) {
        return;
    }
    if (adView_) {
        adView_->removeFromSuperview();
    }
    adView_ = view;
    if (adView_) {
        addSubview(adView_);
    }
}

void GADBannerView::setFrame(const graphics::Rect& frame) {
    ui::View::setFrame(frame);
    if (GADAdSizeGetCGSize(adSize()) != frame.size) {
        setAdSize(GADAdSizeFromCGSize(frame.size));
    }
}

void GADBannerView::setBounds(const graphics::Rect& bounds) {
    ui::View::setBounds(bounds);
    setAdSize(GADAdSizeFromCGSize(bounds.size));
}

graphics::Size GADBannerView::intrinsicContentSize() const {
    return GADAdSizeGetCGSize(adSize());
}

void GADBannerView::didMoveToWindow() {
    ui::View::didMoveToWindow();
    slot_->bannerDidMoveToWindow(window());
}

void GADBannerView::setAlpha(double alpha) {
    ui::View::setAlpha(alpha == 0 ? 0 : 1);
}

std::optional<bool> GADBannerView::slotShouldReloadCurrentRequest(GADSlot&) {
    // A banner off the screen or hidden is not refreshed, nor is one whose
    // ad view is hidden or detached.
    if (isHidden() || !superview() || !adView_ || adView_->isHidden()) {
        return false;
    }
    return adView_->superview() != nullptr;
}

std::optional<foundation::Dictionary> GADBannerView::coordinatesOfContentInScreen() {
    if (!adView_) {
        return std::nullopt;
    }
    return GADViewUtilities::positionOfView(adView_, ui::Screen::mainScreen());
}

std::shared_ptr<ui::View> GADBannerView::swipeToViewControllerView() {
    return std::static_pointer_cast<ui::View>(shared_from_this());
}

void GADBannerView::slotDidReceiveAdView(GADSlot&, const std::shared_ptr<ui::View>& view) {
    setAdView(view);
}

void GADBannerView::tellDelegate(const std::function<void(GADBannerViewDelegate&)>& call) {
    auto self = std::static_pointer_cast<GADBannerView>(shared_from_this());
    GADMacros::runSynchronouslyOnMainThreadWithBlock([self, &call] {
        if (auto delegate = self->delegate()) {
            call(*delegate);
        }
    });
}

void GADBannerView::slotFinishedLoadingAdContent(GADSlot&) {
    tellDelegate([this](GADBannerViewDelegate& d) { d.adViewDidReceiveAd(*this); });
}

void GADBannerView::slotDidFailToLoadAdContentWithError(GADSlot&, const GADRequestError& error) {
    tellDelegate([this, &error](GADBannerViewDelegate& d) {
        d.adViewDidFailToReceiveAdWithError(*this, error);
    });
}

void GADBannerView::slotWillPresentScreen(GADSlot&) {
    tellDelegate([this](GADBannerViewDelegate& d) { d.adViewWillPresentScreen(*this); });
}

void GADBannerView::slotWillDismissScreen(GADSlot&) {
    tellDelegate([this](GADBannerViewDelegate& d) { d.adViewWillDismissScreen(*this); });
}

void GADBannerView::slotDidDismissScreen(GADSlot&) {
    tellDelegate([this](GADBannerViewDelegate& d) { d.adViewDidDismissScreen(*this); });
}

void GADBannerView::slotWillLeaveApplication(GADSlot&) {
    tellDelegate([this](GADBannerViewDelegate& d) { d.adViewWillLeaveApplication(*this); });
}
