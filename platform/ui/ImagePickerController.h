#pragma once

// The photo picker: a navigation controller for a source (library, camera or
// saved photos) whose availability the host and tests set (library and saved
// photos yes, camera no, by default). Picking is simulated: a photo from a
// file or an image goes to the delegate with its info dictionary; the camera
// takes its picture from an image source the host sets.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Image.h"
#include "platform/ui/ImagePickerControllerDelegate.h"
#include "platform/ui/NavigationController.h"

namespace ui {

enum class ImagePickerSourceType { photoLibrary = 0, camera = 1, savedPhotosAlbum = 2 };
enum class ImagePickerCameraDevice { rear = 0, front = 1 };
enum class ImagePickerCameraCaptureMode { photo = 0, video = 1 };
enum class ImagePickerCameraFlashMode { off = -1, automatic = 0, on = 1 };

class ImagePickerController : public NavigationController {
  public:
    using Ptr = std::shared_ptr<ImagePickerController>;
    using CameraSource = std::function<graphics::Image::Ptr()>;

    ImagePickerController() = default;

    // What the device offers.
    static bool isSourceTypeAvailable(ImagePickerSourceType type);
    static void setSourceTypeAvailable(ImagePickerSourceType type, bool available);
    static bool isCameraDeviceAvailable(ImagePickerCameraDevice device);
    static void setCameraDeviceAvailable(ImagePickerCameraDevice device, bool available);
    static bool isFlashAvailableForCameraDevice(ImagePickerCameraDevice device);
    static void setFlashAvailable(ImagePickerCameraDevice device, bool available);
    static std::vector<ImagePickerCameraCaptureMode> availableCaptureModesForCameraDevice(
        ImagePickerCameraDevice d);
    static std::vector<std::string> availableMediaTypesForSourceType(ImagePickerSourceType type);
    // Where takePicture gets its photo (the host feeds camera frames here).
    static void setCameraSource(CameraSource source);
    // Back to the defaults above, without a camera source.
    static void resetAvailability();

    ImagePickerSourceType sourceType() const { return sourceType_; }
    // Throws std::invalid_argument for a source that is not available, as
    // the platform raises.
    void setSourceType(ImagePickerSourceType type);
    std::shared_ptr<ImagePickerControllerDelegate> pickerDelegate() const {
        return pickerDelegate_.lock();
    }
    void setPickerDelegate(const std::weak_ptr<ImagePickerControllerDelegate>& d) {
        pickerDelegate_ = d;
    }
    bool allowsEditing() const { return allowsEditing_; }
    void setAllowsEditing(bool allows) { allowsEditing_ = allows; }
    const std::vector<std::string>& mediaTypes() const { return mediaTypes_; }
    void setMediaTypes(std::vector<std::string> types) { mediaTypes_ = std::move(types); }

    // Camera settings (camera source only).
    bool showsCameraControls() const { return showsCameraControls_; }
    void setShowsCameraControls(bool shows) { showsCameraControls_ = shows; }
    const View::Ptr& cameraOverlayView() const { return cameraOverlayView_; }
    void setCameraOverlayView(View::Ptr view) { cameraOverlayView_ = std::move(view); }
    graphics::AffineTransform cameraViewTransform() const { return cameraViewTransform_; }
    void setCameraViewTransform(const graphics::AffineTransform& t) { cameraViewTransform_ = t; }
    ImagePickerCameraDevice cameraDevice() const { return cameraDevice_; }
    void setCameraDevice(ImagePickerCameraDevice device) { cameraDevice_ = device; }
    ImagePickerCameraFlashMode cameraFlashMode() const { return flashMode_; }
    void setCameraFlashMode(ImagePickerCameraFlashMode mode) { flashMode_ = mode; }
    ImagePickerCameraCaptureMode cameraCaptureMode() const { return captureMode_; }
    void setCameraCaptureMode(ImagePickerCameraCaptureMode mode) { captureMode_ = mode; }

    // What the user does. Answer whether a photo went to the delegate; an
    // unreadable file sends nothing.
    bool pickImage(graphics::Image::Ptr image);
    bool pickPhotoFromFile(const std::string& path);
    bool takePicture();
    void cancel();

  private:
    ImagePickerSourceType sourceType_ = ImagePickerSourceType::photoLibrary;
    std::weak_ptr<ImagePickerControllerDelegate> pickerDelegate_;
    bool allowsEditing_ = false;
    std::vector<std::string> mediaTypes_{"public.image"};
    bool showsCameraControls_ = true;
    View::Ptr cameraOverlayView_;
    graphics::AffineTransform cameraViewTransform_;
    ImagePickerCameraDevice cameraDevice_ = ImagePickerCameraDevice::rear;
    ImagePickerCameraFlashMode flashMode_ = ImagePickerCameraFlashMode::automatic;
    ImagePickerCameraCaptureMode captureMode_ = ImagePickerCameraCaptureMode::photo;
};

}  // namespace ui
