#include "platform/ui/Device.h"

#include "platform/foundation/NotificationCenter.h"
#include "platform/foundation/ProcessState.h"

namespace ui {

Device& Device::currentDevice() {
    static Device* device = foundation::ProcessState::withReset(new Device());
    return *device;
}

void Device::setOrientation(DeviceOrientation orientation) {
    if (orientation == orientation_) {
        return;
    }
    orientation_ = orientation;
    if (generating_ > 0) {
        foundation::NotificationCenter::defaultCenter().post(DeviceOrientationDidChangeNotification,
                                                             this);
    }
}

void Device::endGeneratingDeviceOrientationNotifications() {
    if (generating_ > 0) {
        --generating_;
    }
}

void Device::reset() {
    *this = Device();
}

}  // namespace ui
