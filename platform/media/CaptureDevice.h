#pragma once

// A camera: its position, torch and focus modes, changed only while locked for
// configuration, and the frame source that feeds it. A device can be told to
// refuse the lock a number of times, as a camera in use by another client does.
// The process has one back camera unless setDevices() says otherwise.

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Error.h"

namespace media {

class FrameSource;

enum class CaptureDevicePosition { unspecified = 0, back = 1, front = 2 };
enum class TorchMode { off = 0, on = 1, automatic = 2 };
enum class FocusMode { locked = 0, autoFocus = 1, continuousAutoFocus = 2 };

class CaptureDevice {
  public:
    static constexpr const char* kErrorDomain = "AVFoundationErrorDomain";
    static constexpr int kDeviceLockedErrorCode = -11817;

    CaptureDevice(std::string uniqueID, CaptureDevicePosition position, bool hasTorch,
                  std::vector<FocusMode> focusModes);

    // defaultDeviceWithMediaType: video: the first device; nullptr without one.
    static std::shared_ptr<CaptureDevice> defaultDevice();
    // devicesWithMediaType: video, in order.
    static std::vector<std::shared_ptr<CaptureDevice>> devices();
    static void setDevices(std::vector<std::shared_ptr<CaptureDevice>> devices);

    const std::string& uniqueID() const { return uniqueID_; }
    CaptureDevicePosition position() const { return position_; }

    bool hasTorch() const { return hasTorch_; }
    bool isTorchModeSupported(TorchMode mode) const;
    TorchMode torchMode() const;
    // Ignored (with a log line) when unsupported or not locked.
    void setTorchMode(TorchMode mode);

    bool isFocusModeSupported(FocusMode mode) const;
    FocusMode focusMode() const;
    void setFocusMode(FocusMode mode);

    // lockForConfiguration: : nullopt when locked, else the error.
    std::optional<foundation::Error> lockForConfiguration();
    void unlockForConfiguration();
    bool isLockedForConfiguration() const;
    // The next `count` lock attempts fail.
    void setLockFailures(int count);

    std::shared_ptr<FrameSource> frameSource() const;
    void setFrameSource(std::shared_ptr<FrameSource> source);

  private:
    const std::string uniqueID_;
    const CaptureDevicePosition position_;
    const bool hasTorch_;
    const std::vector<FocusMode> focusModes_;
    mutable std::mutex mutex_;
    TorchMode torchMode_ = TorchMode::off;
    FocusMode focusMode_ = FocusMode::locked;
    bool locked_ = false;
    int lockFailures_ = 0;
    std::shared_ptr<FrameSource> frameSource_;
};

}  // namespace media
