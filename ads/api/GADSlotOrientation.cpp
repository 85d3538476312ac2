// The slot's watch on device rotation for MRAID ads: the page's
// window.orientation follows the screen (with "orientationchange" after the
// first), and the slot notes the creative's frame in window coordinates and
// tells observers when a rotation moved it.

#include "ads/api/GADSlot.h"
#include "ads/webview/GADWebView.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/Application.h"
#include "platform/ui/Device.h"

void GADSlot::beginListeningToDeviceOrientationChangeEvent() {
    if (isListeningToDeviceOrientationChangeEvent_) {
        return;
    }
    didChangeDeviceOrientation();
    isListeningToDeviceOrientationChangeEvent_ = true;
    ui::Device::currentDevice().beginGeneratingDeviceOrientationNotifications();
    std::weak_ptr<GADSlot> weakSelf = weak_from_this();
    foundation::NotificationCenter::defaultCenter().addObserver(
        shared_from_this(), ui::DeviceOrientationDidChangeNotification, nullptr,
        [weakSelf](const foundation::Notification&) {
            if (auto slot = weakSelf.lock()) {
                slot->didChangeDeviceOrientation();
            }
        });
}

void GADSlot::endListeningToDeviceOrientationChangeEvent() {
    if (!isListeningToDeviceOrientationChangeEvent_) {
        return;
    }
    isListeningToDeviceOrientationChangeEvent_ = false;
    ui::Device::currentDevice().endGeneratingDeviceOrientationNotifications();
    auto& center = foundation::NotificationCenter::defaultCenter();
    center.removeObserver(this, ui::DeviceOrientationDidChangeNotification);
    center.removeObserver(this, kGADSlotCreativeOrientationChangedNotification, this);
}

void GADSlot::addCreativeOrientationChangeObserver(const std::shared_ptr<void>& observer,
                                                   std::function<void()> action) {
    foundation::NotificationCenter::defaultCenter().addObserver(
        observer, kGADSlotCreativeOrientationChangedNotification, this,
        [action = std::move(action)](const foundation::Notification&) { action(); });
}

void GADSlot::didChangeDeviceOrientation() {
    const int orientation = static_cast<int>(ui::Application::shared().statusBarOrientation());
    webView_->setHTMLWindowOrientation(orientation, webView_->orientation() != 0);
    const graphics::Rect bounds = webView_->convertRectToView(webView_->bounds(), nullptr);
    if (bounds == creativeViewBounds_) {
        return;
    }
    creativeViewBounds_ = bounds;
    foundation::NotificationCenter::defaultCenter().post(
        kGADSlotCreativeOrientationChangedNotification, this);
}
