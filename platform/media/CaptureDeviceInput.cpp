#include "platform/media/CaptureDeviceInput.h"

namespace media {

std::shared_ptr<CaptureDeviceInput> CaptureDeviceInput::make(std::shared_ptr<CaptureDevice> device,
                                                             foundation::Error* error) {
    if (!device) {
        if (error != nullptr) {
            *error = {CaptureDevice::kErrorDomain, -11814, "Cannot open the capture device"};
        }
        return nullptr;
    }
    return std::shared_ptr<CaptureDeviceInput>(new CaptureDeviceInput(std::move(device)));
}

}  // namespace media
