// The slot's side of MRAID ads: the mark set when an MRAID script is served
// for its page, and the events its page hears once loaded.

#include <cctype>

#include "ads/api/GADAd.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADSlot.h"
#include "ads/foundation/GADActiveViewMonitor.h"
#include "ads/foundation/GADDevice.h"
#include "ads/webview/GADNotificationCenter.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/StringUtilities.h"

namespace {

// Served by the MRAID script interception, as any ad page's "mraid.js".
constexpr const char* kMRAIDScriptTag = "<script src=\"mraid.js\"></script>";

bool isWordCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

// The markup uses the name "mraid" (not as part of a longer name).
bool namesMRAID(const std::string& html) {
    const std::string name = "mraid";
    for (std::size_t at = html.find(name); at != std::string::npos; at = html.find(name, at + 1)) {
        const std::size_t after = at + name.size();
        if ((at == 0 || !isWordCharacter(html[at - 1])) &&
            (after == html.size() || !isWordCharacter(html[after]))) {
            return true;
        }
    }
    return false;
}

}  // namespace

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

std::string GADSlot::markupWithMRAIDScript(const std::string& html) {
    if (!namesMRAID(html) || html.find("mraid.js") != std::string::npos) {
        return html;
    }
    std::size_t at = html.find_first_not_of(" \t\r\n");
    const std::string doctype = "<!doctype";
    if (at != std::string::npos &&
        foundation::lowercase(html.substr(at, doctype.size())) == doctype &&
        html.find('>', at) != std::string::npos) {
        at = html.find('>', at) + 1;
    } else {
        at = 0;
    }
    return html.substr(0, at) + kMRAIDScriptTag + html.substr(at);
}

bool GADSlot::isChildDirected() const {
    return request_ && request_->childDirectedTreatment() == std::optional(true);
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

void GADSlot::notifyMRAIDCreativeWithExposure(GADActiveViewMonitor& monitor) {
    if (!isMRAIDEnabled()) {
        return;
    }
    const graphics::Rect ad = webView_->convertRectToView(webView_->bounds(), nullptr);
    const graphics::Rect visible = monitor.monitoredViewVisibleBounds();
    const double adArea = ad.size.width * ad.size.height;
    const double percentage = monitor.isMonitoredViewVisible() && adArea > 0
                                  ? 100 * visible.size.width * visible.size.height / adArea
                                  : 0;
    GADNotificationCenter::defaultCenter().postJSNotification(
        "onExposureChanged",
        foundation::Dictionary{{"exposedPercentage", percentage},
                               {"x", visible.origin.x - ad.origin.x},
                               {"y", visible.origin.y - ad.origin.y},
                               {"width", visible.size.width},
                               {"height", visible.size.height}},
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
