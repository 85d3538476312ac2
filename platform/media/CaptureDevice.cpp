#include "platform/media/CaptureDevice.h"

#include <algorithm>

#include "platform/foundation/Log.h"
#include "platform/foundation/ProcessState.h"

namespace media {

namespace {

struct DeviceList {
    std::mutex mutex;
    std::vector<std::shared_ptr<CaptureDevice>> devices;
    bool set = false;
};

DeviceList& deviceList() {
    static auto* list = foundation::ProcessState::withReset(new DeviceList(), [](auto& state) {
        std::lock_guard lock(state.mutex);
        state.devices.clear();
        state.set = false;
    });
    return *list;
}

}  // namespace

CaptureDevice::CaptureDevice(std::string uniqueID, CaptureDevicePosition position, bool hasTorch,
                             std::vector<FocusMode> focusModes)
    : uniqueID_(std::move(uniqueID)),
      position_(position),
      hasTorch_(hasTorch),
      focusModes_(std::move(focusModes)) {}

std::shared_ptr<CaptureDevice> CaptureDevice::defaultDevice() {
    auto all = devices();
    return all.empty() ? nullptr : all.front();
}

std::vector<std::shared_ptr<CaptureDevice>> CaptureDevice::devices() {
    DeviceList& list = deviceList();
    std::lock_guard lock(list.mutex);
    if (!list.set) {
        list.devices.push_back(std::make_shared<CaptureDevice>(
            "back-camera", CaptureDevicePosition::back, true,
            std::vector<FocusMode>{FocusMode::locked, FocusMode::autoFocus,
                                   FocusMode::continuousAutoFocus}));
        list.set = true;
    }
    return list.devices;
}

void CaptureDevice::setDevices(std::vector<std::shared_ptr<CaptureDevice>> devices) {
    DeviceList& list = deviceList();
    std::lock_guard lock(list.mutex);
    list.devices = std::move(devices);
    list.set = true;
}

bool CaptureDevice::isTorchModeSupported(TorchMode) const {
    return hasTorch_;
}

TorchMode CaptureDevice::torchMode() const {
    std::lock_guard lock(mutex_);
    return torchMode_;
}

void CaptureDevice::setTorchMode(TorchMode mode) {
    std::lock_guard lock(mutex_);
    if (!locked_ || !isTorchModeSupported(mode)) {
        foundation::Log::write("CaptureDevice",
                               "torch mode change refused: device " +
                                   std::string(locked_ ? "has no torch" : "is not locked"));
        return;
    }
    torchMode_ = mode;
}

bool CaptureDevice::isFocusModeSupported(FocusMode mode) const {
    return std::find(focusModes_.begin(), focusModes_.end(), mode) != focusModes_.end();
}

FocusMode CaptureDevice::focusMode() const {
    std::lock_guard lock(mutex_);
    return focusMode_;
}

void CaptureDevice::setFocusMode(FocusMode mode) {
    std::lock_guard lock(mutex_);
    if (!locked_ || !isFocusModeSupported(mode)) {
        foundation::Log::write("CaptureDevice",
                               "focus mode change refused: device " +
                                   std::string(locked_ ? "lacks the mode" : "is not locked"));
        return;
    }
    focusMode_ = mode;
}

std::optional<foundation::Error> CaptureDevice::lockForConfiguration() {
    std::lock_guard lock(mutex_);
    if (lockFailures_ > 0) {
        --lockFailures_;
        return foundation::Error{kErrorDomain, kDeviceLockedErrorCode,
                                 "Cannot lock the device for configuration"};
    }
    locked_ = true;
    return std::nullopt;
}

void CaptureDevice::unlockForConfiguration() {
    std::lock_guard lock(mutex_);
    locked_ = false;
}

bool CaptureDevice::isLockedForConfiguration() const {
    std::lock_guard lock(mutex_);
    return locked_;
}

void CaptureDevice::setLockFailures(int count) {
    std::lock_guard lock(mutex_);
    lockFailures_ = std::max(count, 0);
}

std::shared_ptr<FrameSource> CaptureDevice::frameSource() const {
    std::lock_guard lock(mutex_);
    return frameSource_;
}

void CaptureDevice::setFrameSource(std::shared_ptr<FrameSource> source) {
    std::lock_guard lock(mutex_);
    frameSource_ = std::move(source);
}

}  // namespace media
