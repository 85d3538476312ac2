#pragma once

// Connects a camera to a capture session as one of its inputs.

#include <memory>
#include <optional>

#include "platform/foundation/Error.h"
#include "platform/media/CaptureDevice.h"

namespace media {

class CaptureDeviceInput {
  public:
    // deviceInputWithDevice:error: : nullptr (and `error` set when given)
    // without a device.
    static std::shared_ptr<CaptureDeviceInput> make(std::shared_ptr<CaptureDevice> device,
                                                    foundation::Error* error = nullptr);

    const std::shared_ptr<CaptureDevice>& device() const { return device_; }

  private:
    explicit CaptureDeviceInput(std::shared_ptr<CaptureDevice> device)
        : device_(std::move(device)) {}

    std::shared_ptr<CaptureDevice> device_;
};

}  // namespace media
