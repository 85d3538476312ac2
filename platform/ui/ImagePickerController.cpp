#include "platform/ui/ImagePickerController.h"

#include <stdexcept>

#include "platform/foundation/ProcessState.h"

namespace ui {

namespace {

struct Availability {
    std::map<ImagePickerSourceType, bool> sources{{ImagePickerSourceType::photoLibrary, true},
                                                  {ImagePickerSourceType::camera, false},
                                                  {ImagePickerSourceType::savedPhotosAlbum, true}};
    std::map<ImagePickerCameraDevice, bool> cameras;
    std::map<ImagePickerCameraDevice, bool> flashes;
    ImagePickerController::CameraSource cameraSource;
};

Availability& availability() {
    static Availability* facts = foundation::ProcessState::withReset(
        new Availability(), [](auto& state) { state = Availability(); });
    return *facts;
}

}  // namespace

bool ImagePickerController::isSourceTypeAvailable(ImagePickerSourceType type) {
    return availability().sources[type];
}

void ImagePickerController::setSourceTypeAvailable(ImagePickerSourceType type, bool available) {
    availability().sources[type] = available;
}

bool ImagePickerController::isCameraDeviceAvailable(ImagePickerCameraDevice device) {
    return isSourceTypeAvailable(ImagePickerSourceType::camera) && availability().cameras[device];
}

void ImagePickerController::setCameraDeviceAvailable(ImagePickerCameraDevice device,
                                                     bool available) {
    availability().cameras[device] = available;
}

bool ImagePickerController::isFlashAvailableForCameraDevice(ImagePickerCameraDevice device) {
    return isCameraDeviceAvailable(device) && availability().flashes[device];
}

void ImagePickerController::setFlashAvailable(ImagePickerCameraDevice device, bool available) {
    availability().flashes[device] = available;
}

std::vector<ImagePickerCameraCaptureMode>
ImagePickerController::availableCaptureModesForCameraDevice(ImagePickerCameraDevice device) {
    if (!isCameraDeviceAvailable(device)) {
        return {};
    }
    return {ImagePickerCameraCaptureMode::photo};
}

std::vector<std::string> ImagePickerController::availableMediaTypesForSourceType(
    ImagePickerSourceType type) {
    if (!isSourceTypeAvailable(type)) {
        return {};
    }
    return {"public.image"};
}

void ImagePickerController::setCameraSource(CameraSource source) {
    availability().cameraSource = std::move(source);
}

void ImagePickerController::resetAvailability() {
    availability() = Availability();
}

void ImagePickerController::setSourceType(ImagePickerSourceType type) {
    if (!isSourceTypeAvailable(type)) {
        throw std::invalid_argument("Source type " + std::to_string(static_cast<int>(type)) +
                                    " not available");
    }
    sourceType_ = type;
}

bool ImagePickerController::pickImage(graphics::Image::Ptr image) {
    if (!image) {
        return false;
    }
    MediaInfo info;
    info[ImagePickerControllerOriginalImage] = image;
    info[ImagePickerControllerMediaType] = std::string("public.image");
    if (allowsEditing_) {
        info[ImagePickerControllerEditedImage] = image;
    }
    auto keep = shared_from_this();
    if (auto d = pickerDelegate()) {
        d->imagePickerDidFinishPickingMediaWithInfo(*this, info);
    }
    return true;
}

bool ImagePickerController::pickPhotoFromFile(const std::string& path) {
    return pickImage(graphics::Image::imageWithContentsOfFile(path));
}

bool ImagePickerController::takePicture() {
    auto& source = availability().cameraSource;
    if (sourceType_ != ImagePickerSourceType::camera || !source) {
        return false;
    }
    return pickImage(source());
}

void ImagePickerController::cancel() {
    auto keep = shared_from_this();
    if (auto d = pickerDelegate()) {
        d->imagePickerDidCancel(*this);
    }
}

}  // namespace ui
