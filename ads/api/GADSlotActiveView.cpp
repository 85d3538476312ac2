// The slot's viewability reporting: a monitor on the ad's web view while an
// ad that asks for it is shown, each sample sent as a report into an
// SDK-core page of the slot's own (after the ad's position report for the
// swipe to a store sheet), and the page's verdict passed to MRAID ads.

#include "ads/api/GADAd.h"
#include "ads/api/GADRequest.h"
#include "ads/api/GADSlot.h"
#include "ads/api/GADSlotSwipeToViewController.h"
#include "ads/foundation/GADAbsoluteTime.h"
#include "ads/foundation/GADActiveViewMonitor.h"
#include "ads/foundation/GADDevice.h"
#include "ads/webview/GADActiveViewSDKCoreWebView.h"
#include "ads/webview/GADSDKCoreController.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/JSON.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

namespace {

constexpr const char* kUpdateActiveViewFunction = "VIRA_updateActiveView";

// Hands the monitor's samples to the slot without keeping the slot alive.
class MonitorForwarder : public GADActiveViewMonitorDelegate {
  public:
    explicit MonitorForwarder(std::weak_ptr<GADSlot> slot) : slot_(std::move(slot)) {}
    void didRefreshActiveViewMonitor(GADActiveViewMonitor& monitor) override {
        if (auto slot = slot_.lock()) {
            slot->didRefreshActiveViewMonitor(monitor);
        }
    }

  private:
    std::weak_ptr<GADSlot> slot_;
};

}  // namespace

void GADSlot::webViewDidChangeActiveViewVisibility(GADWebView& webView) {
    notifyMRAIDCreativeWithVisibility(webView.activeViewVisibility());
}

bool GADSlot::monitoredViewIsSubviewOfDeviceScreen() const {
    return webView_->window() != nullptr;
}

bool GADSlot::canEnableActiveViewMonitoring() const {
    return ad_ && (ad_->activeViewConfigurations() || ad_->isMRAIDEnabled() ||
                   ad_->swipeToViewControllerConfigurations());
}

void GADSlot::resetActiveViewReporting() {
    finishActiveViewReporting();
    if (!canEnableActiveViewMonitoring()) {
        return;
    }
    const auto controller = GADSDKCoreController::sharedInstance();
    activeViewMonitor_ =
        GADActiveViewMonitor::make(webView_, controller->activeViewMonitorRefreshIntervals());
    if (!activeViewMonitor_) {
        return;
    }
    ++activeViewMonitorSequenceNumber_;
    SDKCoreWebView_ = controller->nextSDKCoreWebView();
    if (SDKCoreWebView_ && isMRAIDEnabled()) {
        if (auto page = SDKCoreWebView_->activeViewWebView()) {
            page->setActiveViewObserver(std::weak_ptr<GADActiveViewObserver>(shared_from_this()));
        }
    }
    activeViewMonitor_->setDelegate(std::make_shared<MonitorForwarder>(weak_from_this()));
}

void GADSlot::finishActiveViewReporting() {
    if (activeViewMonitor_) {
        activeViewMonitor_->stopMonitoring();
        activeViewMonitor_->setDelegate(nullptr);
        activeViewMonitorWillUnload();
        activeViewMonitor_.reset();
    }
    if (SDKCoreWebView_) {
        if (auto page = SDKCoreWebView_->activeViewWebView()) {
            page->setActiveViewObserver({});
        }
        GADSDKCoreController::sharedInstance()->finishedUsingSDKCoreWebView(SDKCoreWebView_);
        SDKCoreWebView_.reset();
    }
}

void GADSlot::activeViewMonitorWillUnload() {
    sendActiveViewReport(*activeViewMonitor_, true);
}

void GADSlot::didRefreshActiveViewMonitor(GADActiveViewMonitor& monitor) {
    if (swipeToViewController_) {
        swipeToViewController_->canEnableSwipeToViewController();
    }
    notifyMRAIDCreativeWithExposure(monitor);
    sendActiveViewReport(monitor, false);
}

void GADSlot::sendActiveViewReport(GADActiveViewMonitor& monitor, bool activeViewUnloaded) {
    const auto command =
        activeViewJSCommandWithParams(activeViewParameters(monitor, activeViewUnloaded));
    if (command && SDKCoreWebView_) {
        SDKCoreWebView_->executeJavaScriptCommand(*command);
    }
}

std::optional<std::string> GADSlot::activeViewJSCommandWithParams(
    const std::optional<foundation::Value>& params) {
    if (!params) {
        return std::nullopt;
    }
    const auto json = foundation::JSON::write(*params);
    if (!json) {
        return std::nullopt;
    }
    return std::string(kUpdateActiveViewFunction) + "(" + *json + ")";
}

foundation::Dictionary GADSlot::activeViewParameters(GADActiveViewMonitor& monitor,
                                                     bool activeViewUnloaded) const {
    const auto window = webView_->window();
    const bool inVisibleWindow =
        window && !window->isHidden() &&
        ui::Application::shared().applicationState() == ui::ApplicationState::active;
    foundation::Dictionary unit{
        {"adBox", dictionaryForBounds(webView_->convertRectToView(webView_->bounds(), nullptr))},
        {"globalVisibleBox", dictionaryForBounds(monitor.monitoredViewVisibleBounds())},
        {"viewBox", dictionaryForBounds(GADDevice::currentDevice().standardizedApplicationFrame())},
        {"isSubViewOfVisibleWindow", inVisibleWindow ? "1" : "0"},
        {"isVisible", monitor.isMonitoredViewVisible() ? "1" : "0"},
        {"viraVersion", GADRequest::sdkVersion()},
        {"adFormat", adFormat()},
        {"timestamp", GADAbsoluteTime::absoluteTimeInMilliseconds()},
        {"hashCode", activeViewMonitorSequenceNumber_},
    };
    if (ad_ && ad_->activeViewConfigurations()) {
        unit["activeViewJSON"] = *ad_->activeViewConfigurations();
    }
    if (activeViewUnloaded) {
        unit["doneReasonCode"] = "u";
    }
    return foundation::Dictionary{{"units", foundation::Array{foundation::Value(unit)}}};
}

std::string GADSlot::adFormat() const {
    return isInterstitialSlot() ? "interstitial_mb" : "banner_mb";
}

foundation::Dictionary GADSlot::dictionaryForBounds(const graphics::Rect& bounds) {
    const graphics::Rect box = bounds.standardized();
    return {{"top", box.origin.y},
            {"bottom", box.origin.y + box.size.height},
            {"left", box.origin.x},
            {"right", box.origin.x + box.size.width}};
}

void GADSlot::bannerDidMoveToWindow(const std::shared_ptr<ui::Window>& window) {
    if (!activeViewMonitor_) {
        return;
    }
    if (window) {
        activeViewMonitor_->startMonitoring();
    } else {
        activeViewMonitor_->sample();
        activeViewMonitor_->stopMonitoring();
    }
}

void GADSlot::interstitialViewWillAppear() {
    if (activeViewMonitor_) {
        activeViewMonitor_->startMonitoring();
    }
}

void GADSlot::interstitialViewWillDisappear() {
    if (activeViewMonitor_) {
        activeViewMonitor_->sample();
        activeViewMonitor_->stopMonitoring();
    }
}
