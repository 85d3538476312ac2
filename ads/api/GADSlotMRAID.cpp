// The slot's side of MRAID ads: the mark set when an MRAID script is served
// for its page, and the events its page hears once loaded.

#include "ads/api/GADAd.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADDevice.h"
#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADWebView.h"

bool GADSlot::isInterstitialSlot() const {
    return adType_ && adType_->isInterstitial();
}

void GADSlot::willLoadMRAIDAd() {
    for (const auto& ad : {loadingAd_, ad_}) {
        if (ad) {
            ad->setMRAIDEnabled(true);
        }
    }
}

bool GADSlot::isMRAIDEnabled() const {
    return ad_ && ad_->isMRAIDEnabled();
}

void GADSlot::didLoadMRAIDAd() {
    std::weak_ptr<GADSlot> weakSelf = weak_from_this();
    addCreativeOrientationChangeObserver(shared_from_this(), [weakSelf] {
        if (auto slot = weakSelf.lock()) {
            slot->notifyOrientationToMRAIDCreative();
        }
    });
    beginListeningToDeviceOrientationChangeEvent();
    notifyDeviceFeatures();
    SDKDidBecomeReady();
}

void GADSlot::didUnloadMRAIDAd() {
    endListeningToDeviceOrientationChangeEvent();
}

void GADSlot::notifyMRAIDCreativeWithVisibility(bool visible) {
    if (!isMRAIDEnabled()) {
        return;
    }
    GADNotificationCenter::defaultCenter().postJSNotification(
        "onAdVisibilityChanged", foundation::Dictionary{{"visible", visible ? "1" : "0"}},
        webView_);
}

void GADSlot::notifyOrientationToMRAIDCreative() {
    if (!isMRAIDEnabled()) {
        return;
    }
    GADDevice& device = GADDevice::currentDevice();
    const graphics::Rect screen = device.standardizedScreenBounds();
    GADNotificationCenter::defaultCenter().postJSNotification(
        "onScreenInfoChanged",
        foundation::Dictionary{
            {"width", screen.size.width},
            {"height", screen.size.height},
            {"isOrientationLandscape", device.isOrientationLandscape() ? "1" : "0"}},
        webView_);
}

void GADSlot::notifyDeviceFeatures() {
    foundation::Value openable(GADDevice::currentDevice().canOpenURLs({"sms://", "tel://"}));
    GADNotificationCenter::defaultCenter().postJSNotification(
        "onDeviceFeaturesReceived",
        foundation::Dictionary{{"sms", openable["sms://"].boolValue()},
                               {"tel", openable["tel://"].boolValue()},
                               {"calendar", false},
                               {"storePicture", true},
                               {"inlineVideo", true}},
        webView_);
}

void GADSlot::SDKDidBecomeReady() {
    GADNotificationCenter::defaultCenter().postJSNotification("onReadyEventReceived", std::nullopt,
                                                              webView_);
}
